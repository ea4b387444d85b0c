#include "modules/engine/EngineScaleRecords.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

namespace {

QVariant ScaleRecordValue(double kg)
{
    return kg >= 1e34 ? QVariant() : QVariant(kg);
}

double ScaleRecordSize(const QVariant& value)
{
    return value.isNull() ? 1e35 : value.toDouble();
}

QString ScaleRecordIdsJson(const QList<long>& ids)
{
    QJsonArray array;
    for (long id : ids)
        array.append(qint64(id));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace

bool CEngineScaleRecords::HasRecord()
{
    return m_step.Query(QStringLiteral("SELECT 1 FROM ScaleUpRecord LIMIT 1")).next();
}

bool CEngineScaleRecords::Last(ScaleUpRecord& record)
{
    QSqlQuery row = m_step.Query(QStringLiteral(
        "SELECT RecordID, Factor, BatchSizeBefore, BatchSizeAfter, KeyInputBefore, KeyInputAfter FROM ScaleUpRecord"
        " ORDER BY RecordID DESC LIMIT 1"));
    if (!row.next())
        return false;
    record = {long(row.value(0).toLongLong()), row.value(1).toDouble(), ScaleRecordSize(row.value(2)), ScaleRecordSize(row.value(3)),
              ScaleRecordSize(row.value(4)), ScaleRecordSize(row.value(5)), {}};
    QSqlQuery operations = m_step.Query(
        QStringLiteral("SELECT OperationID FROM ScaleUpRecordOperation WHERE RecordID = ? ORDER BY RowKey"),
        {qlonglong(record.recordID)});
    while (operations.next())
        record.operationIDs.append(long(operations.value(0).toLongLong()));
    return true;
}

double CEngineScaleRecords::FirstBatchSizeBefore()
{
    QSqlQuery row = m_step.Query(
        QStringLiteral("SELECT BatchSizeBefore FROM ScaleUpRecord ORDER BY RecordID LIMIT 1"));
    return row.next() ? ScaleRecordSize(row.value(0)) : 1e35;
}

void CEngineScaleRecords::Add(const ScaleUpRecord& record)
{
    m_step.Execute(QStringLiteral("INSERT INTO ScaleUpRecord (Factor, BatchSizeBefore, BatchSizeAfter, KeyInputBefore,"
                                  " KeyInputAfter) VALUES (?, ?, ?, ?, ?)"),
                   {record.factor, ScaleRecordValue(record.batchSizeBefore), ScaleRecordValue(record.batchSizeAfter),
                    ScaleRecordValue(record.keyInputBefore), ScaleRecordValue(record.keyInputAfter)});
    m_step.Execute(QStringLiteral("INSERT INTO ScaleUpRecordOperation (RecordID, OperationID)"
                                  " SELECT (SELECT max(RecordID) FROM ScaleUpRecord), j.value FROM json_each(?) j"),
                   {ScaleRecordIdsJson(record.operationIDs)});
}

void CEngineScaleRecords::Drop(long recordID)
{
    m_step.Execute(QStringLiteral("DELETE FROM ScaleUpRecordOperation WHERE RecordID = ?"), {qlonglong(recordID)});
    m_step.Execute(QStringLiteral("DELETE FROM ScaleUpRecord WHERE RecordID = ?"), {qlonglong(recordID)});
}

bool CEngineScaleRecords::PendingSizes(ScaleUpSizes& sizes)
{
    QSqlQuery row = m_step.Query(QStringLiteral("SELECT BatchSizeKg, KeyInputKg FROM ScaleUpPendingSize"));
    if (!row.next())
        return false;
    sizes = {ScaleRecordSize(row.value(0)), ScaleRecordSize(row.value(1))};
    return true;
}

void CEngineScaleRecords::SetPendingSizes(const ScaleUpSizes& sizes)
{
    m_step.Execute(QStringLiteral("INSERT OR REPLACE INTO ScaleUpPendingSize (ID, BatchSizeKg, KeyInputKg)"
                                  " VALUES (1, ?, ?)"),
                   {ScaleRecordValue(sizes.batchSize), ScaleRecordValue(sizes.keyInput)});
}

void CEngineScaleRecords::ClearPendingSizes()
{
    m_step.Execute(QStringLiteral("DELETE FROM ScaleUpPendingSize"));
}

void ClearPendingScaleSizes(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return;
    try {
        CEngineScaleRecords(*step).ClearPendingSizes();
    } catch (const CDaoException&) {
    }
}
