#include "modules/engine/EngineScaleUpWriter.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString ScaleWriterIdsJson(const QList<long>& ids)
{
    QJsonArray array;
    for (long id : ids)
        array.append(qint64(id));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

// A set value: 1e35 (and anything as large) means unset.
#define QV_SET(column) "abs(" column ") < 1e34"

const char* const SCALABLE_OPERATIONS =
    "SELECT DISTINCT g.OperationID FROM TblGroupData g WHERE g.OperationID NOT IN"
    " (SELECT OperationID FROM ScaleInvariantOperation) AND (EXISTS (SELECT 1 FROM TblFieldData f"
    " JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID WHERE f.GroupID = g.GroupID AND l.Scalable <> 0"
    " AND " QV_SET("f.DoubleValue") ") OR EXISTS (SELECT 1 FROM TblRangeData r JOIN TblFieldLibrary l"
    " ON l.FieldTypeID = r.FieldTypeID WHERE r.GroupID = g.GroupID AND l.Scalable <> 0 AND (" QV_SET("r.Low")
    " OR " QV_SET("r.High") "))) ORDER BY g.OperationID";

const char* const SCALE_FIELDS =
    "UPDATE TblFieldData SET DoubleValue = DoubleValue * ? WHERE " QV_SET("DoubleValue")
    " AND FieldTypeID IN (SELECT FieldTypeID FROM TblFieldLibrary WHERE Scalable <> 0)"
    " AND GroupID IN (SELECT GroupID FROM TblGroupData WHERE OperationID IN (SELECT value FROM json_each(?)))";

const char* const SCALE_RANGES =
    "UPDATE TblRangeData SET Low = CASE WHEN " QV_SET("Low") " THEN Low * ? ELSE Low END,"
    " High = CASE WHEN " QV_SET("High") " THEN High * ? ELSE High END"
    " WHERE FieldTypeID IN (SELECT FieldTypeID FROM TblFieldLibrary WHERE Scalable <> 0)"
    " AND GroupID IN (SELECT GroupID FROM TblGroupData WHERE OperationID IN (SELECT value FROM json_each(?)))";

// "Label low unit to high unit" per range, joined by "; ", as the recipe text shows ranges.
const char* const RANGE_TEXTS =
    "UPDATE Operation SET RangeText = coalesce((SELECT group_concat(phrase, '; ') FROM (SELECT l.FieldLabel || ' '"
    " || CASE WHEN " QV_SET("r.Low") " THEN printf('%g', r.Low) || ' ' || coalesce(r.LowUOM, '') ELSE '' END"
    " || ' to ' || CASE WHEN " QV_SET("r.High") " THEN printf('%g', r.High) || ' ' || coalesce(r.HighUOM, '')"
    " ELSE '' END AS phrase FROM TblRangeData r JOIN TblGroupData g ON g.GroupID = r.GroupID"
    " JOIN TblFieldLibrary l ON l.FieldTypeID = r.FieldTypeID WHERE g.OperationID = Operation.OperationID"
    " ORDER BY g.SequenceNumber, g.GroupID, r.SubGroupIndex, r.RangeID)), RangeText)"
    " WHERE RangeText IS NOT NULL AND RangeText <> '' AND OperationID IN (SELECT value FROM json_each(?))";

const char* const SCALE_STEP_ROW =
    "UPDATE Step SET OriginalBatchSize = CASE WHEN ? AND " QV_SET("coalesce(BatchSize, 1e35)")
    " THEN BatchSize ELSE OriginalBatchSize END,"
    " BatchSize = CASE WHEN " QV_SET("coalesce(BatchSize, 1e35)") " THEN BatchSize * ? ELSE BatchSize END,"
    " KeyInputBatchSize = CASE WHEN " QV_SET("coalesce(KeyInputBatchSize, 1e35)")
    " THEN KeyInputBatchSize * ? ELSE KeyInputBatchSize END,"
    " ScaleFactor = CASE WHEN ? THEN coalesce(ScaleFactor, 1.0) * ? ELSE ScaleFactor END";

#undef QV_SET

} // namespace

QList<long> CEngineScaleUpWriter::ScalableOperations()
{
    QList<long> operations;
    QSqlQuery rows = m_step.Query(QString::fromLatin1(SCALABLE_OPERATIONS));
    while (rows.next())
        operations.append(long(rows.value(0).toLongLong()));
    return operations;
}

void CEngineScaleUpWriter::ScaleOperations(const QList<long>& operationIDs, double factor)
{
    const QString ids = ScaleWriterIdsJson(operationIDs);
    m_step.Execute(QString::fromLatin1(SCALE_FIELDS), {factor, ids});
    m_step.Execute(QString::fromLatin1(SCALE_RANGES), {factor, factor, ids});
    m_step.Execute(QString::fromLatin1(RANGE_TEXTS), {ids});
}

void CEngineScaleUpWriter::ScaleStepRow(double factor, bool scaleFactor, bool firstScaling)
{
    const int scaled = scaleFactor ? 1 : 0;
    m_step.Execute(QString::fromLatin1(SCALE_STEP_ROW), {firstScaling ? 1 : 0, factor, factor, scaled, factor});
}
