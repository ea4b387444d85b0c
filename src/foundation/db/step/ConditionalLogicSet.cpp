#include "foundation/db/step/ConditionalLogicSet.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DaoTransaction.h"

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

bool CConditionalLogicSet::CollectLinks(long stepID, long itemID, const QString& logic)
{
    m_predecessorIDs.clear();
    m_successorIDs.clear();
    if (!OpenSet(stepID))
        return false;
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        if (!IsLogic(logic))
            continue;
        if (GetLong(m_currentColumn) == itemID)
            m_predecessorIDs.append(GetLong(m_parameterColumn));
        if (GetLong(m_parameterColumn) == itemID)
            m_successorIDs.append(GetLong(m_currentColumn));
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
