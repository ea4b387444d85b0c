#pragma once
// Names of plan copies: "<source> copy (n)". The counter lives as long as the program and starts at
// 1 for each new source name; it advances on every name tried, so names already taken are skipped.

#include <QString>
#include <functional>

class PlanCopyNamer {
public:
    using IsTaken = std::function<bool(const QString& name)>;

    QString NextName(const QString& sourceName, const IsTaken& taken);

    // The one namer of the program, shared by every New dialog.
    static PlanCopyNamer& Shared();

private:
    QString m_lastSource;
    long m_counter = 0;
};
