#pragma once
// Base of the two constraint tables of a step database: rows (current item, logic, parameter
// item) saying that the current item starts after (or with) the parameter item. Holds the
// look-ups and edits both tables share; the subclasses name the columns.

#include "foundation/db/recordsets/DaoRecordset.h"

#include <QList>

class CConditionalLogicSet : public CDaoRecordset {
public:
    bool OpenSet(long stepID) { return OpenOnStepDatabase(stepID); }
    void CloseSet() { CDaoRecordset::CloseSet(); }

    // Filled by the last link look-up: the items the item refers to (what it starts after) and
    // the items that refer to it (what starts after it).
    const QList<long>& GetPredecessorIDs() const { return m_predecessorIDs; }
    const QList<long>& GetSuccessorIDs() const { return m_successorIDs; }

protected:
    CConditionalLogicSet(const DaoRecordsetDef& def, const QString& currentColumn,
                         const QString& parameterColumn)
        : CDaoRecordset(def), m_currentColumn(currentColumn), m_parameterColumn(parameterColumn)
    {
    }

    // Deletes every row of (current, parameter, logic) in one transaction; false when the set
    // does not open (after the message, when one is given) or the delete fails.
    bool DeleteMatchingRows(long stepID, long currentID, long parameterID, const QString& logic,
                            const QString& notOpenMessage);
    // Fills both lists from the rows of the logic; true when either list is not empty.
    bool CollectLinks(long stepID, long itemID, const QString& logic);
    // Edits the first row of (current, parameter, logic); -1 keeps that side. False when both new
    // ids are -1, when there is no such row or the write fails.
    bool EditFirstMatch(long stepID, long currentID, const QString& logic, long parameterID,
                        long newCurrentID, long newParameterID);

private:
    bool IsLogic(const QString& logic) const;
    bool Matches(long currentID, long parameterID, const QString& logic) const;
    bool DeleteRowsInTransaction(long currentID, long parameterID, const QString& logic);
    bool WriteIDs(long newCurrentID, long newParameterID);
    bool Failed(const QString& description);

    QString m_currentColumn;
    QString m_parameterColumn;
    QList<long> m_predecessorIDs;
    QList<long> m_successorIDs;
};
