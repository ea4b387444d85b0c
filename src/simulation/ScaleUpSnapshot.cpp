#include "simulation/ScaleUpSnapshot.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QSqlQuery>

namespace {

QString SnapshotRows(CDaoDatabase& step, const QString& table)
{
    QSqlQuery rows = step.Query(QStringLiteral("SELECT coalesce(json_group_array(json_array(Position, OperationID,"
                                               " Text)), '[]') FROM (SELECT * FROM %1 ORDER BY Position, RowKey)")
                                    .arg(table));
    return rows.next() ? rows.value(0).toString() : QStringLiteral("[]");
}

void RestoreRows(CDaoDatabase& step, const QString& table, const QString& rows)
{
    step.Execute(QStringLiteral("DELETE FROM %1").arg(table));
    step.Execute(QStringLiteral("INSERT INTO %1 (Position, OperationID, Text) SELECT json_extract(value, '$[0]'),"
                                " json_extract(value, '$[1]'), json_extract(value, '$[2]') FROM json_each(?)")
                     .arg(table),
                 {rows});
}

} // namespace

CScaleUpSnapshot::CScaleUpSnapshot(long stepID) : m_stepID(stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        if (!step)
            return;
        m_current = SnapshotRows(*step, QStringLiteral("ScaleInvariantOperation"));
        m_previous = SnapshotRows(*step, QStringLiteral("PrevScaleInvariantOperation"));
        QSqlQuery row =
            step->Query(QStringLiteral("SELECT PrevScalingOption, UndoPrevScalingDone, PrevScaledBatchSize FROM Step"));
        if (row.next())
            m_stepColumns = {row.value(0), row.value(1), row.value(2)};
        m_read = true;
    } catch (const CDaoException&) {
    }
}

void CScaleUpSnapshot::Restore()
{
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    if (!m_read || !step)
        return;
    try {
        CDaoTransaction transaction(*step);
        RestoreRows(*step, QStringLiteral("ScaleInvariantOperation"), m_current);
        RestoreRows(*step, QStringLiteral("PrevScaleInvariantOperation"), m_previous);
        if (m_stepColumns.size() == 3)
            step->Execute(QStringLiteral("UPDATE Step SET PrevScalingOption = ?, UndoPrevScalingDone = ?,"
                                         " PrevScaledBatchSize = ?"),
                          m_stepColumns);
        transaction.Commit();
    } catch (const CDaoException&) {
    }
}

void CScaleUpSnapshot::WriteAutomationRecord(int target, double sizeBefore)
{
    CDaoDatabase* step = GetStepDatabase(m_stepID);
    if (step)
        step->Execute(QStringLiteral("UPDATE Step SET PrevScalingOption = ?, UndoPrevScalingDone = 0,"
                                     " PrevScaledBatchSize = ?"),
                      {target, sizeBefore >= 1e34 ? QVariant() : QVariant(sizeBefore)});
}
