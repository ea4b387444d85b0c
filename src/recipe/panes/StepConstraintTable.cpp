#include "recipe/panes/StepConstraintTable.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

namespace {
ConstraintRow ConstraintRowOf(const QSqlQuery& query)
{
    ConstraintRow row;
    row.currentNull = query.isNull(0);
    row.currentID = long(query.value(0).toLongLong());
    row.logic = query.value(1).toString();
    row.parameterNull = query.isNull(2);
    row.parameterID = long(query.value(2).toLongLong());
    row.delayNull = query.isNull(3);
    row.delay = query.value(3).toDouble();
    row.delayUOM = query.value(4).toString();
    return row;
}

QString ConstraintQuery(CStepConstraintTable::Kind kind)
{
    return kind == CStepConstraintTable::Kind::Operation
               ? QStringLiteral(
                     "SELECT CurrentOperationID, ConditionalLogic, OperationParameterID, Delay, DelayUOM"
                     " FROM OperationConditionalLogicParameter ORDER BY CurrentOperationID, RowKey")
               : QStringLiteral(
                     "SELECT CurrentUnitProcedureID, ConditionalLogic, UnitProcedureParameterID, Delay,"
                     " DelayUOM FROM UnitProcedureConditionalLogicParameter"
                     " ORDER BY CurrentUnitProcedureID, RowKey");
}
} // namespace

bool CStepConstraintTable::Read(CDaoDatabase& step, Kind kind)
{
    m_rows.clear();
    m_currentIDs.clear();
    m_runs.clear();
    try {
        QSqlQuery query = step.Query(ConstraintQuery(kind));
        while (query.next())
            m_rows.append(ConstraintRowOf(query));
    } catch (const CDaoException&) {
        m_rows.clear();
        return false;
    }
    for (int index = 0; index < m_rows.size(); ++index) {
        const ConstraintRow& row = m_rows.at(index);
        if (row.currentNull)
            continue;
        if (index > 0 && !m_rows.at(index - 1).currentNull && m_rows.at(index - 1).currentID == row.currentID)
            ++m_runs[row.currentID].second;
        else if (!m_runs.contains(row.currentID)) {
            m_runs.insert(row.currentID, {index, 1});
            m_currentIDs.append(row.currentID);
        }
    }
    return true;
}

QList<ConstraintRow> CStepConstraintTable::runOf(long currentID) const
{
    const auto run = m_runs.value(currentID, {0, 0});
    return m_rows.mid(run.first, run.second);
}

bool CStepConstraintTable::hasRowOf(long currentID, const QString& logic) const
{
    for (const ConstraintRow& row : runOf(currentID)) {
        if (row.Is(logic))
            return true;
    }
    return false;
}
