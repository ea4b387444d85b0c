#include "recipe/edit/OperationRecipeBatch.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedConnection.h"
#include "recipe/edit/OperationRecipeCopy.h"
#include "recipe/edit/OperationRecipeSource.h"

#include <QHash>

namespace {

// A statement per row, the values bound as they are: cheaper than a JSON text of all rows
// unpacked column by column, and each new group's id comes back for its fields and ranges.
const char* const INSERT_GROUP =
    "INSERT INTO TblGroupData (OperationID, GroupTypeID, GroupIndex, SequenceNumber) VALUES (?, ?, ?, ?)";

const char* const INSERT_FIELD =
    "INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, StringValue)"
    " VALUES (?, ?, ?, ?, ?, ?, ?)";

const char* const INSERT_RANGE =
    "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low,"
    " LowWidth, LowUOM, High, HighWidth, HighUOM) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

const char* const WRITE_TEXT_AND_NOTES =
    "UPDATE Operation SET RecipeText = ?, UserComments = ?, RangeText = ?, SafetyNote = ?"
    " WHERE OperationID = ?";

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

// Inserts the row; answers its new key.
qlonglong InsertBatchRow(CDaoDatabase& destination, const char* table, const char* sql,
                         const QVariantList& values)
{
    qlonglong key = 0;
    ExecKept(destination, QString::fromLatin1(table), QString::fromLatin1(sql), values,
             [&key](KeptResult& result) { key = result.lastInsertId(); });
    return key;
}

// Each row under the new group that took the place of its source group (its first value); rows of
// a group not copied are left out.
void InsertUnderGroups(CDaoDatabase& destination, const char* table, const char* sql,
                       const QList<QVariantList>& rows, const QHash<qlonglong, qlonglong>& newGroups)
{
    for (const QVariantList& row : rows) {
        const auto group = newGroups.constFind(row.first().toLongLong());
        if (group != newGroups.constEnd())
            RunBatchStatement(destination, table, sql, QVariantList{*group} + row.mid(1));
    }
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

const OperationRecipeRows* COperationRecipeBatch::Find(long sourceOperationID) const
{
    const OperationRecipeRows* rows = m_source.Find(sourceOperationID);
    if (!rows)
        QvMessageBox(QString::fromLatin1(OPERATION_COPY_FAILED), MB_OK);
    return rows;
}

void COperationRecipeBatch::Add(const OperationRecipeRows& rows, long destinationOperationID)
{
    m_copies << Copy{&rows, destinationOperationID};
}

QVariantList COperationRecipeBatch::Texts(const OperationRecipeRows& rows)
{
    return {rows.recipeText, rows.notes.value(0), rows.notes.value(1), rows.notes.value(2)};
}

void COperationRecipeBatch::Write(CDaoDatabase& destination, const QSet<long>& regeneratedLater)
{
    if (m_copies.isEmpty())
        return;
    std::optional<QSet<QString>> taken;
    if (copiesUniqueNames())
        taken = namesTaken(destination);
    writeParameterRows(destination, std::move(taken));
    QSet<long> processed;
    for (const Copy& copy : m_copies) {
        if (!regeneratedLater.contains(copy.destinationOperationID) &&
            ProcessOperation(m_destinationStepID, copy.destinationOperationID))
            processed.insert(copy.destinationOperationID);
    }
    if (!processed.isEmpty())
        writeTexts(destination, processed); // the copied texts back, not the processed ones
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

// Copy after copy: its groups, then its fields and ranges under the new groups.
void COperationRecipeBatch::writeParameterRows(CDaoDatabase& destination,
                                               std::optional<QSet<QString>> taken) const
{
    for (const Copy& copy : m_copies) {
        QHash<qlonglong, qlonglong> newGroups; // source group -> new group
        for (const QVariantList& group : copy.rows->groups)
            newGroups.insert(
                group.first().toLongLong(),
                InsertBatchRow(destination, "TblGroupData", INSERT_GROUP,
                               QVariantList{qlonglong(copy.destinationOperationID)} + group.mid(1)));
        InsertUnderGroups(destination, "TblFieldData", INSERT_FIELD,
                          taken ? NamedFields(copy.rows->fields, *taken) : copy.rows->fields, newGroups);
        InsertUnderGroups(destination, "TblRangeData", INSERT_RANGE, copy.rows->ranges, newGroups);
    }
}

void COperationRecipeBatch::writeTexts(CDaoDatabase& destination, const QSet<long>& operationIDs) const
{
    for (const Copy& copy : m_copies) {
        if (operationIDs.contains(copy.destinationOperationID))
            RunBatchStatement(destination, "Operation", WRITE_TEXT_AND_NOTES,
                              Texts(*copy.rows) << qlonglong(copy.destinationOperationID));
    }
}
