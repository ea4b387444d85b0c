// Writes operation parameter rows (TblGroupData, TblFieldData, TblRangeData) through statements
// prepared once per connection.

#include "foundation/db/content/OperationParameterWriter.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <algorithm>

namespace {

// Marks the writer's statements in a connection's cache: the recordset writer keys its inserts
// with no key columns, so the two never share an entry.
const QString WRITER_KEY = QStringLiteral("operation parameters");

const char* const INSERT_GROUP =
    "INSERT INTO TblGroupData (OperationID, GroupTypeID, GroupIndex, SequenceNumber) VALUES (?, 1, 1, 1)";
const char* const INSERT_FIELD =
    "INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, UOM) VALUES (?, ?, ?, ?, ?)";
const char* const INSERT_REFERENCE =
    "INSERT INTO TblFieldData (GroupID, FieldTypeID, LongValue) VALUES (?, ?, ?)";
const char* const INSERT_RANGE =
    "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low, "
    "LowWidth,"
    " LowUOM, High, HighWidth, HighUOM) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
const char* const FIRST_GROUP = "SELECT GroupID FROM TblGroupData WHERE OperationID = ?"
                                " ORDER BY SequenceNumber, GroupIndex, GroupID LIMIT 1";
const char* const UPDATE_FIRST_FIELD =
    "UPDATE TblFieldData SET DoubleValue = ?, UOM = ? WHERE FieldID = (SELECT f.FieldID FROM TblFieldData f"
    " JOIN TblGroupData g ON g.GroupID = f.GroupID WHERE g.OperationID = ? AND f.FieldTypeID = ?"
    " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID LIMIT 1)";

const char* const UPDATE_FIRST_REFERENCE =
    "UPDATE TblFieldData SET LongValue = ? WHERE FieldID = (SELECT f.FieldID FROM TblFieldData f"
    " JOIN TblGroupData g ON g.GroupID = f.GroupID WHERE g.OperationID = ? AND f.FieldTypeID = ?"
    " ORDER BY g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID LIMIT 1)";

QVariant TextOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant FieldTypeOf(OperationField field)
{
    return qlonglong(field);
}

} // namespace

QList<OperationParameterValue> OperationParameterValues(long operationTypeID,
                                                        const QList<OperationParameterValue>& overrides)
{
    QList<OperationParameterValue> values;
    QList<OperationParameterValue> rest = overrides;
    for (const OperationParameterDefault& row : OperationParameterDefaults()) {
        if (row.operationTypeID != operationTypeID)
            continue;
        OperationParameterValue value{row.field, row.value, row.uom};
        const auto given = std::find_if(
            rest.begin(), rest.end(), [&](const OperationParameterValue& v) { return v.field == row.field; });
        if (given != rest.end()) {
            value = *given;
            rest.erase(given);
        }
        values.append(value);
    }
    return values + rest;
}

COperationParameterWriter::COperationParameterWriter(CDaoDatabase& step) : m_connection(&step.Connection()) {}

COperationParameterWriter::COperationParameterWriter(const QSqlDatabase& database, CStatementCache& cache)
    : m_database(database), m_cache(&cache)
{
}

void COperationParameterWriter::Run(StatementKind kind, const char* table, const char* sql,
                                    const QVariantList& values, const CStatementCache::RowReader& read)
{
    const StatementKey key{kind, QString::fromLatin1(table), {QString::fromLatin1(sql)}, {WRITER_KEY}, {}};
    const auto text = [sql] { return QString::fromLatin1(sql); };
    if (m_connection)
        m_connection->execKept(key, text, values, read);
    else
        m_cache->run(m_database, key, text, values, read);
}

long COperationParameterWriter::Insert(const char* table, const char* sql, const QVariantList& values)
{
    long id = -1;
    Run(StatementKind::Insert, table, sql, values,
        [&id](KeptResult& result) { id = long(result.lastInsertId()); });
    return id;
}

long COperationParameterWriter::WriteGroup(long operationID)
{
    return Insert("TblGroupData", INSERT_GROUP, {qlonglong(operationID)});
}

long COperationParameterWriter::WriteField(long groupID, const OperationParameterValue& value,
                                           long subGroupIndex)
{
    return Insert("TblFieldData", INSERT_FIELD,
                  {qlonglong(groupID), qlonglong(subGroupIndex), FieldTypeOf(value.field), value.value,
                   TextOrNull(value.uom)});
}

long COperationParameterWriter::WriteRange(long groupID, const OperationParameterRange& range)
{
    const QVariant rangeType = range.rangeTypeID < 0 ? QVariant() : QVariant(qlonglong(range.rangeTypeID));
    return Insert("TblRangeData", INSERT_RANGE,
                  {qlonglong(groupID), qlonglong(range.subGroupIndex), FieldTypeOf(range.field), rangeType,
                   qlonglong(range.rangeCategory), range.low, range.lowWidth, TextOrNull(range.lowUOM),
                   range.high, range.highWidth, TextOrNull(range.highUOM)});
}

long COperationParameterWriter::WriteReference(long groupID, const LibraryReferenceValue& reference)
{
    return Insert("TblFieldData", INSERT_REFERENCE,
                  {qlonglong(groupID), qlonglong(reference.field), qlonglong(reference.itemID)});
}

bool COperationParameterWriter::UpdateFirstReference(long operationID, const LibraryReferenceValue& reference)
{
    long changed = 0;
    const QVariant item = reference.itemID > 0 ? QVariant(qlonglong(reference.itemID)) : QVariant();
    Run(StatementKind::Update, "TblFieldData", UPDATE_FIRST_REFERENCE,
        {item, qlonglong(operationID), qlonglong(reference.field)},
        [&changed](KeptResult& result) { changed = long(result.rowsAffected()); });
    return changed > 0;
}

long COperationParameterWriter::FirstGroup(long operationID)
{
    long groupID = -1;
    Run(StatementKind::Update, "TblGroupData", FIRST_GROUP, {qlonglong(operationID)},
        [&groupID](KeptResult& result) {
            if (result.next())
                groupID = long(result.value(0).toLongLong());
        });
    return groupID;
}

bool COperationParameterWriter::UpdateFirstField(long operationID, const OperationParameterValue& value)
{
    long changed = 0;
    Run(StatementKind::Update, "TblFieldData", UPDATE_FIRST_FIELD,
        {value.value, TextOrNull(value.uom), qlonglong(operationID), FieldTypeOf(value.field)},
        [&changed](KeptResult& result) { changed = long(result.rowsAffected()); });
    return changed > 0;
}

long WriteOperationParameterDefaults(CDaoDatabase& step, long operationID, long operationTypeID)
{
    COperationParameterWriter writer(step);
    const long groupID = writer.WriteGroup(operationID);
    for (const OperationParameterValue& value : OperationParameterValues(operationTypeID))
        writer.WriteField(groupID, value);
    return groupID;
}

namespace {

long FirstOrNewGroup(COperationParameterWriter& writer, long operationID)
{
    const long groupID = writer.FirstGroup(operationID);
    return groupID >= 0 ? groupID : writer.WriteGroup(operationID);
}

} // namespace

void WriteOperationParameter(CDaoDatabase& step, long operationID, OperationField field, double value,
                             const QString& uom)
{
    COperationParameterWriter writer(step);
    const OperationParameterValue given{field, value, uom};
    if (!writer.UpdateFirstField(operationID, given))
        writer.WriteField(FirstOrNewGroup(writer, operationID), given);
}

long WriteOperationParameterRange(CDaoDatabase& step, long operationID, const OperationParameterRange& range)
{
    COperationParameterWriter writer(step);
    return writer.WriteRange(FirstOrNewGroup(writer, operationID), range);
}

void WriteOperationReference(CDaoDatabase& step, long operationID, const LibraryReferenceValue& reference)
{
    COperationParameterWriter writer(step);
    if (!writer.UpdateFirstReference(operationID, reference) && reference.itemID > 0)
        writer.WriteReference(FirstOrNewGroup(writer, operationID), reference);
}
