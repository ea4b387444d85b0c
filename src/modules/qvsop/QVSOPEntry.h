#pragma once
// Stand-in of the operating-instructions module: the standard statement of a recipe item. An
// operation takes the first statement listed for its type in data/standard-statements.csv whose
// keyword its recipe text contains (an empty keyword matches any text); unit procedures and
// unlisted types have none. The program installs one in ServiceSlot<QVSOPEntry>; tests may put a
// fake there. The statements of a step are worked out in one pass over its operations and kept
// while the same connection to the step database has changed no row (every write to a working
// copy goes through that one connection).

#include <QHash>
#include <QString>

#include <memory>

class CSharedConnection;

class QVSOPEntry {
public:
    virtual ~QVSOPEntry() = default;
    // itemID: an operation id, or minus a unit-procedure id. name is empty when the item has no
    // statement; false when the step database is missing or cannot be read.
    virtual bool getStandardStatement(long stepID, long itemID, QString& name);
    // The module's own preferences: not available here; one message says so, nothing changes.
    virtual void preferOperatingInstructions();

private:
    struct StepStatements {
        std::weak_ptr<CSharedConnection> connection;
        qint64 totalChanges = -1;
        QHash<long, QString> byOperation; // operations without a statement are left out
    };
    const StepStatements* statementsOf(long stepID);

    QHash<long, StepStatements> m_steps; // by step id
};

extern const char* const OPERATING_INSTRUCTIONS_UNAVAILABLE;

// Through the installed module; false without one.
bool GetStandardStatement(long stepID, long itemID, QString& name);
