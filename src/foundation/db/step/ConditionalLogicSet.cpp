#include "foundation/db/step/ConditionalLogicSet.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

bool CConditionalLogicSet::IsLogic(const QString& logic) const
{
    return GetText(QStringLiteral("ConditionalLogic")).compare(logic, Qt::CaseInsensitive) == 0;
}

bool CConditionalLogicSet::Matches(long currentID, long parameterID, const QString& logic) const
{
    return GetLong(m_currentColumn) == currentID && GetLong(m_parameterColumn) == parameterID &&
           IsLogic(logic);
}

// The rows on screen no longer tell what the database holds after a failed write: read them again.
bool CConditionalLogicSet::Failed(const QString& description)
{
    QvMessageBox(description);
    try {
        Requery();
    } catch (const CDaoException&) {
        CloseSet();
    }
    return false;
}

bool CConditionalLogicSet::DeleteMatchingRows(long stepID, long currentID, long parameterID,
                                              const QString& logic, const QString& notOpenMessage)
{
    if (!OpenSet(stepID)) {
        if (!notOpenMessage.isEmpty())
            QvMessageBox(notOpenMessage);
        return false;
    }
    return DeleteRowsInTransaction(currentID, parameterID, logic);
}

bool CConditionalLogicSet::DeleteRowsInTransaction(long currentID, long parameterID, const QString& logic)
{
    try {
        CDaoTransaction transaction(*GetDatabase());
        for (MoveFirst(); !IsEOF(); MoveNext()) {
            if (Matches(currentID, parameterID, logic))
                Delete();
        }
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        return Failed(error.GetErrorDescription());
    }
}

// Only the item's rows of the logic are read, through a statement the step's connection keeps
// prepared: a recipe edit looks its links up on every move.
bool CConditionalLogicSet::CollectLinks(long stepID, long itemID, const QString& logic)
{
    m_predecessorIDs.clear();
    m_successorIDs.clear();
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return false;
    const QString table = GetDefinition().tables.front().name;
    const QString sql = QStringLiteral("SELECT %1, %2 FROM %3 WHERE ConditionalLogic = ?1 AND (%1 = ?2 OR %2 = ?2)"
                                       " ORDER BY RowKey")
                            .arg(m_currentColumn, m_parameterColumn, table);
    try {
        ExecKept(*step, table, sql, {logic, qlonglong(itemID)}, [this, itemID](KeptResult& row) {
            while (row.next()) {
                const long current = long(row.value(0).toLongLong()), parameter = long(row.value(1).toLongLong());
                if (current == itemID)
                    m_predecessorIDs.append(parameter);
                if (parameter == itemID)
                    m_successorIDs.append(current);
            }
        });
    } catch (const CDaoException&) {
        return false;
    }
    return !m_predecessorIDs.isEmpty() || !m_successorIDs.isEmpty();
}

bool CConditionalLogicSet::EditFirstMatch(long stepID, long currentID, const QString& logic, long parameterID,
                                          long newCurrentID, long newParameterID)
{
    if (newCurrentID == -1 && newParameterID == -1)
        return false;
    if (!OpenSet(stepID))
        return false;
    const bool found =
        FindFirst([&](const CDaoRecordset&) { return Matches(currentID, parameterID, logic); });
    return found && WriteIDs(newCurrentID, newParameterID);
}

bool CConditionalLogicSet::WriteIDs(long newCurrentID, long newParameterID)
{
    try {
        Edit();
        if (newCurrentID != -1)
            SetLong(m_currentColumn, newCurrentID);
        if (newParameterID != -1)
            SetLong(m_parameterColumn, newParameterID);
        Update();
        return true;
    } catch (const CDaoException& error) {
        return Failed(error.GetErrorDescription());
    }
}
