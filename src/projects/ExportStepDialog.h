#pragma once
// The holder of one step export: the step and the target exchange file. No command shows its form.

#include <QString>

class CExportStepDialog {
public:
    explicit CExportStepDialog(long stepID) : m_stepID(stepID) {}

    // Writes the step's exchange file to m_path; tells the user of every failure itself. The
    // project and the step's working copy are only read.
    void ExportStep();

    long m_stepID;
    QString m_path;

private:
    bool WriteExchange(const QString& temp, const QString& result);
};
