#pragma once
// A step's label and the outline of its text recipe (its unit procedure and operation lines in
// recipe order), read on the step's connection for what a tree of the project's steps shows of
// each. The statements are prepared on the connection's engine handle for one read and finalised
// after it, so a pass over every step leaves nothing behind on the connections.

#include <QHash>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

class CDaoDatabase;
class CSharedConnection;

// The flags sit together: a kept outline holds tens of thousands of lines.
struct StepOutlineLine {
    long id = 0;
    long upNumber = 0;
    long opNumber = 0;
    QString name;               // of the unit procedure or the operation
    bool unitProcedure = false; // otherwise an operation
    bool hidden = false;
};

struct StepOutline {
    bool hasStep = false; // false when the step table is empty
    QString stepName;     // of the step table's first row (lowest id)
    QString versionName;
    std::vector<StepOutlineLine> lines; // those of the step id asked for
};

// Reads into outline (its earlier content replaced, its storage reused). Raises CDaoException on an
// engine error or when the database is not open.
void ReadStepOutline(CDaoDatabase& step, long stepID, StepOutline& outline);

// The outlines a pass over the steps read, each with the change number its file had then: the next
// pass reads again only a step whose file changed since (through any connection or a file write of
// this layer) or whose database is now another connection. Outlines no pass asked for are dropped.
class CStepOutlineCache {
public:
    // The step's outline, valid until the next call. Raises CDaoException as ReadStepOutline does.
    const StepOutline& Read(CDaoDatabase& step, long stepID);
    // Drops the outlines the pass since the last call did not read.
    void EndPass();
    void Clear();

private:
    struct Kept {
        std::weak_ptr<CSharedConnection> connection;
        quint64 changeNumber = 0;
        StepOutline outline;
    };
    bool IsCurrent(const Kept& kept, CDaoDatabase& step) const;

    QHash<long, Kept> m_kept;
    QHash<long, Kept> m_pass; // read by the pass under way
};
