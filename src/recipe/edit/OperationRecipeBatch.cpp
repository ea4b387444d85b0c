#include "recipe/edit/OperationRecipeBatch.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/SharedConnection.h"
#include "recipe/edit/OperationRecipeCopy.h"
#include "recipe/edit/OperationRecipeSource.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Every row of a batch starts with the new operation's id; the source group's id follows.
const char* const BATCH_GROUPS =
    "INSERT INTO TblGroupData (OperationID, OpGroupID, GroupTypeID, GroupIndex, SequenceNumber)"
    " SELECT json_extract(value, '$[0]'), json_extract(value, '$[1]'), json_extract(value, '$[2]'),"
    " json_extract(value, '$[3]'), json_extract(value, '$[4]') FROM json_each(?) ORDER BY key";

const char* const BATCH_FIELDS =
    "INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, StringValue)"
    " SELECT g.GroupID, json_extract(j.value, '$[2]'), json_extract(j.value, '$[3]'),"
    " json_extract(j.value, '$[4]'), json_extract(j.value, '$[5]'), json_extract(j.value, '$[6]'),"
    " json_extract(j.value, '$[7]') FROM json_each(?) AS j JOIN TblGroupData g"
    " ON g.OperationID = json_extract(j.value, '$[0]') AND g.OpGroupID = json_extract(j.value, '$[1]')"
    " ORDER BY j.key";

const char* const BATCH_RANGES =
    "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low,"
    " LowWidth, LowUOM, High, HighWidth, HighUOM)"
    " SELECT g.GroupID, json_extract(j.value, '$[2]'), json_extract(j.value, '$[3]'),"
    " json_extract(j.value, '$[4]'), json_extract(j.value, '$[5]'), json_extract(j.value, '$[6]'),"
    " json_extract(j.value, '$[7]'), json_extract(j.value, '$[8]'), json_extract(j.value, '$[9]'),"
    " json_extract(j.value, '$[10]'), json_extract(j.value, '$[11]') FROM json_each(?) AS j"
    " JOIN TblGroupData g ON g.OperationID = json_extract(j.value, '$[0]')"
    " AND g.OpGroupID = json_extract(j.value, '$[1]') ORDER BY j.key";

const char* const BATCH_GROUPS_DONE =
    "UPDATE TblGroupData SET OpGroupID = NULL"
    " WHERE OperationID IN (SELECT value FROM json_each(?)) AND OpGroupID IS NOT NULL";

const char* const BATCH_RECIPE_TEXTS =
    "UPDATE Operation SET RecipeText = json_extract(j.value, '$[1]')"
    " FROM json_each(?) AS j WHERE Operation.OperationID = json_extract(j.value, '$[0]')";

const char* const BATCH_TEXTS_AND_NOTES =
    "UPDATE Operation SET RecipeText = json_extract(j.value, '$[1]'), UserComments = json_extract(j.value, '$[2]'),"
    " RangeText = json_extract(j.value, '$[3]'), SafetyNote = json_extract(j.value, '$[4]')"
    " FROM json_each(?) AS j WHERE Operation.OperationID = json_extract(j.value, '$[0]')";

// The unique names operations of the step's recipe hold, in one statement.
const char* const BATCH_NAMES_TAKEN =
    "SELECT DISTINCT f.StringValue FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
    " JOIN TextRecipe t ON t.ID = g.OperationID AND t.Type = 'Operation' AND t.StepID = ?"
    " WHERE f.FieldTypeID = ?";

bool IsUniqueName(const QVariantList& field)
{
    return field[2].toLongLong() == UNIQUE_NAME_FIELD_TYPE;
}

void RunBatchStatement(CDaoDatabase& destination, const char* table, const char* sql, const QVariantList& values)
{
    ExecKept(destination, QString::fromLatin1(table), QString::fromLatin1(sql), values);
}

// The rows, each behind the new operation's id.
void AppendBehind(QList<QVariantList>& into, long operationID, const QList<QVariantList>& rows)
{
    for (const QVariantList& row : rows)
        into << (QVariantList{qlonglong(operationID)} + row);
}

// The copy's fields, unique names numbered against those taken; its names join the taken ones.
QList<QVariantList> NamedFields(const QList<QVariantList>& fields, QSet<QString>& taken)
{
    QList<QVariantList> named = fields;
    for (QVariantList& field : named) {
        if (IsUniqueName(field) && !field[6].toString().isEmpty())
            field[6] = FirstFreeName(taken, field[6].toString());
    }
    for (const QVariantList& field : named) {
        if (IsUniqueName(field))
            taken.insert(FoldedName(field[6].toString()));
    }
    return named;
}

} // namespace

COperationRecipeBatch::COperationRecipeBatch(const COperationRecipeSource& source, long destinationStepID)
    : m_source(source), m_destinationStepID(destinationStepID)
{
}

const OperationRecipeRows* COperationRecipeBatch::Add(long sourceOperationID, long destinationOperationID)
{
    const OperationRecipeRows* rows = m_source.Find(sourceOperationID);
    if (!rows) {
        QvMessageBox(QString::fromLatin1(OPERATION_COPY_FAILED), MB_OK);
        return nullptr;
    }
    m_copies << Copy{rows, destinationOperationID};
    return rows;
}

void COperationRecipeBatch::Write(CDaoDatabase& destination, const QSet<long>& regeneratedLater)
{
    if (m_copies.isEmpty())
        return;
    std::optional<QSet<QString>> taken;
    if (copiesUniqueNames())
        taken = namesTaken(destination);
    writeParameterRows(destination, std::move(taken));
    QList<long> processed;
    for (const Copy& copy : m_copies) {
        if (!regeneratedLater.contains(copy.destinationOperationID))
            processed << copy.destinationOperationID;
    }
    if (!processed.isEmpty())
        writeTexts(destination, false);
    for (const long operationID : std::as_const(processed))
        ProcessOperation(m_destinationStepID, operationID);
    writeTexts(destination, true); // the copied texts, not the processed ones
}

bool COperationRecipeBatch::copiesUniqueNames() const
{
    for (const Copy& copy : m_copies) {
        for (const QVariantList& field : copy.rows->fields) {
            if (IsUniqueName(field) && !field[6].toString().isEmpty())
                return true;
        }
    }
    return false;
}

QSet<QString> COperationRecipeBatch::namesTaken(CDaoDatabase& destination) const
{
    const QString sql = QString::fromLatin1(BATCH_NAMES_TAKEN);
    const StatementKey key{StatementKind::Update, QStringLiteral("TblFieldData"), {sql}, {QStringLiteral("batch copy")}, {}};
    QSet<QString> taken;
    destination.Connection().execKept(
        key, [sql] { return sql; }, {qlonglong(m_destinationStepID), qlonglong(UNIQUE_NAME_FIELD_TYPE)},
        [&taken](KeptResult& result) {
            while (result.next())
                taken.insert(FoldedName(result.value(0).toString()));
        });
    return taken;
}

// Groups, then fields and ranges under the new groups, found by the source group each new one
// names until all are in.
void COperationRecipeBatch::writeParameterRows(CDaoDatabase& destination,
                                               std::optional<QSet<QString>> taken) const
{
    QList<QVariantList> groups, fields, ranges;
    QJsonArray operations;
    for (const Copy& copy : m_copies) {
        AppendBehind(groups, copy.destinationOperationID, copy.rows->groups);
        AppendBehind(fields, copy.destinationOperationID,
                     taken ? NamedFields(copy.rows->fields, *taken) : copy.rows->fields);
        AppendBehind(ranges, copy.destinationOperationID, copy.rows->ranges);
        operations.append(qint64(copy.destinationOperationID));
    }
    if (groups.isEmpty())
        return;
    RunBatchStatement(destination, "TblGroupData", BATCH_GROUPS, {JsonRows(groups)});
    if (!fields.isEmpty())
        RunBatchStatement(destination, "TblFieldData", BATCH_FIELDS, {JsonRows(fields)});
    if (!ranges.isEmpty())
        RunBatchStatement(destination, "TblRangeData", BATCH_RANGES, {JsonRows(ranges)});
    RunBatchStatement(destination, "TblGroupData", BATCH_GROUPS_DONE, {QString::fromUtf8(QJsonDocument(operations).toJson(QJsonDocument::Compact))});
}

void COperationRecipeBatch::writeTexts(CDaoDatabase& destination, bool withNotes) const
{
    QList<QVariantList> texts;
    for (const Copy& copy : m_copies) {
        QVariantList row{qlonglong(copy.destinationOperationID), copy.rows->recipeText};
        if (withNotes)
            row << copy.rows->notes.value(0) << copy.rows->notes.value(1) << copy.rows->notes.value(2);
        texts << row;
    }
    RunBatchStatement(destination, "Operation", withNotes ? BATCH_TEXTS_AND_NOTES : BATCH_RECIPE_TEXTS,
                      {JsonRows(texts)});
}
