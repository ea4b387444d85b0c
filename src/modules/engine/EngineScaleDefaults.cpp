#include "modules/engine/EngineScaleDefaults.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/OperationParameterWriter.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// The operations a scaling changes, with their types: not START, not scale-invariant.
const char* const SCALED_OPERATIONS =
    "SELECT OperationID, OperationTypeID FROM Operation WHERE OperationID <> 1 AND OperationTypeID IS NOT "
    "NULL"
    " AND OperationID NOT IN (SELECT OperationID FROM ScaleInvariantOperation) ORDER BY OperationID";

const char* const SCALABLE_FIELD_TYPES = "SELECT FieldTypeID FROM TblFieldLibrary WHERE Scalable <> 0";

const char* const HOLDS_FIELD = "SELECT 1 FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
                                " WHERE g.OperationID = ? AND f.FieldTypeID = ? LIMIT 1";

struct ScaledOperation {
    long operationID;
    long operationTypeID;
};

QList<ScaledOperation> ScaledOperations(CDaoDatabase& step)
{
    QList<ScaledOperation> operations;
    QSqlQuery rows = step.Query(QString::fromLatin1(SCALED_OPERATIONS));
    while (rows.next())
        operations.append({long(rows.value(0).toLongLong()), long(rows.value(1).toLongLong())});
    return operations;
}

QList<OperationField> ScalableFields(CDaoDatabase& step)
{
    QList<OperationField> fields;
    QSqlQuery rows = step.Query(QString::fromLatin1(SCALABLE_FIELD_TYPES));
    while (rows.next()) {
        const long id = long(rows.value(0).toLongLong());
        for (OperationField field : {OperationField::Amount, OperationField::Volume, OperationField::Duration,
                                     OperationField::Temperature}) {
            if (long(field) == id)
                fields.append(field);
        }
    }
    return fields;
}

bool HoldsField(CDaoDatabase& step, long operationID, OperationField field)
{
    return step.Query(QString::fromLatin1(HOLDS_FIELD), {qlonglong(operationID), qlonglong(field)}).next();
}

} // namespace

QList<ScaledDefaultRow> CEngineScaleDefaults::WriteMissing()
{
    QList<ScaledDefaultRow> written;
    const QList<OperationField> fields = ScalableFields(m_step);
    COperationParameterWriter writer(m_step);
    for (const ScaledOperation& operation : ScaledOperations(m_step)) {
        for (OperationField field : fields) {
            const OperationParameterDefault* given =
                FindOperationParameterDefault(operation.operationTypeID, field);
            if (!given || given->value >= 1e34 || HoldsField(m_step, operation.operationID, field))
                continue;
            ScaledDefaultRow row;
            long groupID = writer.FirstGroup(operation.operationID);
            if (groupID < 0)
                groupID = row.createdGroupID = writer.WriteGroup(operation.operationID);
            row.fieldID = writer.WriteField(groupID, {field, given->value, given->uom});
            written.append(row);
        }
    }
    return written;
}

void CEngineScaleDefaults::KeepWithLastRecord(const QList<ScaledDefaultRow>& rows)
{
    for (const ScaledDefaultRow& row : rows)
        m_step.Execute(QStringLiteral("INSERT INTO ScaleUpRecordDefault (RecordID, FieldID, CreatedGroupID)"
                                      " VALUES ((SELECT max(RecordID) FROM ScaleUpRecord), ?, ?)"),
                       {qlonglong(row.fieldID),
                        row.createdGroupID < 0 ? QVariant() : QVariant(qlonglong(row.createdGroupID))});
}

void CEngineScaleDefaults::DropRecord(long recordID)
{
    const QVariantList record = {qlonglong(recordID)};
    m_step.Execute(QStringLiteral("DELETE FROM TblFieldData WHERE FieldID IN"
                                  " (SELECT FieldID FROM ScaleUpRecordDefault WHERE RecordID = ?)"),
                   record);
    m_step.Execute(QStringLiteral("DELETE FROM TblGroupData WHERE GroupID IN (SELECT CreatedGroupID FROM"
                                  " ScaleUpRecordDefault WHERE RecordID = ?) AND NOT EXISTS (SELECT 1 FROM"
                                  " TblFieldData f WHERE f.GroupID = TblGroupData.GroupID) AND NOT EXISTS"
                                  " (SELECT 1 FROM TblRangeData r WHERE r.GroupID = TblGroupData.GroupID)"),
                   record);
    m_step.Execute(QStringLiteral("DELETE FROM ScaleUpRecordDefault WHERE RecordID = ?"), record);
}
