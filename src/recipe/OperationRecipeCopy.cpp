#include "recipe/OperationRecipeCopy.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ProcessOperationService.h"
#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/SharedConnection.h"

#include <QList>
#include <QVariantList>

#include <optional>

namespace {
const char* const NO_OPERATION_MESSAGE = "Can't open Operation Table to copy recipe text!";

// Rows of a source read through a statement the connection keeps prepared.
QList<QVariantList> KeptRows(CDaoDatabase& database, const char* table, const char* sql, const QVariantList& values,
                             int columns)
{
    const StatementKey key{StatementKind::Update, QString::fromLatin1(table), {QString::fromLatin1(sql)},
                           {QStringLiteral("operation data copy")}, {}};
    QList<QVariantList> rows;
    database.Connection().execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values, [&](KeptResult& result) {
            while (result.next()) {
                QVariantList row;
                for (int column = 0; column < columns; ++column)
                    row << result.value(column);
                rows << row;
            }
        });
    return rows;
}

void RunKept(CDaoDatabase& database, const char* table, const char* sql, const QVariantList& values)
{
    ExecKept(database, QString::fromLatin1(table), QString::fromLatin1(sql), values);
}

// The value is held by a field of an operation still in the destination recipe.
bool NameTaken(CDaoDatabase& destination, long stepID, const QString& value)
{
    return !KeptRows(destination, "TblFieldData",
                     "SELECT 1 FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
                     " JOIN TextRecipe t ON t.ID = g.OperationID AND t.Type = 'Operation' AND t.StepID = ?"
                     " WHERE f.FieldTypeID = ? AND f.StringValue = ? COLLATE NOCASE LIMIT 1",
                     {qlonglong(stepID), qlonglong(UNIQUE_NAME_FIELD_TYPE), value}, 1)
                .isEmpty();
}

QString FreeName(CDaoDatabase& destination, long stepID, const QString& value)
{
    if (!NameTaken(destination, stepID, value))
        return value;
    int n = 1;
    while (NameTaken(destination, stepID, QStringLiteral("%1 (%2)").arg(value).arg(n)))
        ++n;
    return QStringLiteral("%1 (%2)").arg(value).arg(n);
}

// Groups, then fields and ranges under the new groups; each table by one statement.
void CopyParameterRows(CDaoDatabase& source, CDaoDatabase& destination, long sourceOperationID,
                       long destinationStepID, long destinationOperationID, bool keepNames)
{
    const QVariantList operation{qlonglong(sourceOperationID)};
    const QList<QVariantList> groups =
        KeptRows(source, "TblGroupData",
                 "SELECT GroupID, GroupTypeID, GroupIndex, SequenceNumber FROM TblGroupData WHERE OperationID = ?"
                 " ORDER BY GroupID",
                 operation, 4);
    if (groups.isEmpty())
        return;
    QList<QVariantList> fields = KeptRows(
        source, "TblFieldData",
        "SELECT f.GroupID, f.SubGroupIndex, f.FieldTypeID, f.DoubleValue, f.LongValue, f.UOM, f.StringValue"
        " FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID WHERE g.OperationID = ? ORDER BY f.FieldID",
        operation, 7);
    const QList<QVariantList> ranges = KeptRows(
        source, "TblRangeData",
        "SELECT r.GroupID, r.SubGroupIndex, r.FieldTypeID, r.RangeTypeID, r.RangeCategory, r.Low, r.LowWidth,"
        " r.LowUOM, r.High, r.HighWidth, r.HighUOM FROM TblRangeData r JOIN TblGroupData g ON g.GroupID = r.GroupID"
        " WHERE g.OperationID = ? ORDER BY r.RangeID",
        operation, 11);
    for (QVariantList& field : fields) {
        if (!keepNames && field[2].toLongLong() == UNIQUE_NAME_FIELD_TYPE && !field[6].toString().isEmpty())
            field[6] = FreeName(destination, destinationStepID, field[6].toString());
    }
    const qlonglong target = destinationOperationID;
    RunKept(destination, "TblGroupData",
            "INSERT INTO TblGroupData (OperationID, OpGroupID, GroupTypeID, GroupIndex, SequenceNumber)"
            " SELECT ?, json_extract(value, '$[0]'), json_extract(value, '$[1]'), json_extract(value, '$[2]'),"
            " json_extract(value, '$[3]') FROM json_each(?) ORDER BY key",
            {target, JsonRows(groups)});
    RunKept(destination, "TblFieldData",
            "INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, StringValue)"
            " SELECT g.GroupID, json_extract(value, '$[1]'), json_extract(value, '$[2]'),"
            " json_extract(value, '$[3]'), json_extract(value, '$[4]'), json_extract(value, '$[5]'),"
            " json_extract(value, '$[6]') FROM json_each(?) JOIN TblGroupData g"
            " ON g.OperationID = ? AND g.OpGroupID = json_extract(value, '$[0]') ORDER BY key",
            {JsonRows(fields), target});
    RunKept(destination, "TblRangeData",
            "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low,"
            " LowWidth, LowUOM, High, HighWidth, HighUOM)"
            " SELECT g.GroupID, json_extract(value, '$[1]'), json_extract(value, '$[2]'), json_extract(value, '$[3]'),"
            " json_extract(value, '$[4]'), json_extract(value, '$[5]'), json_extract(value, '$[6]'),"
            " json_extract(value, '$[7]'), json_extract(value, '$[8]'), json_extract(value, '$[9]'),"
            " json_extract(value, '$[10]') FROM json_each(?) JOIN TblGroupData g"
            " ON g.OperationID = ? AND g.OpGroupID = json_extract(value, '$[0]') ORDER BY key",
            {JsonRows(ranges), target});
    RunKept(destination, "TblGroupData", "UPDATE TblGroupData SET OpGroupID = NULL WHERE OperationID = ?", {target});
}

// The source's RecipeText; none (reported) when the source or the destination row is missing.
std::optional<QVariant> SourceRecipeText(CDaoDatabase& source, CDaoDatabase& destination, long sourceOperationID,
                                         long destinationOperationID)
{
    const QList<QVariantList> text = KeptRows(source, "Operation",
                                              "SELECT RecipeText FROM Operation WHERE OperationID = ?",
                                              {qlonglong(sourceOperationID)}, 1);
    const bool found = !text.isEmpty() && !KeptRows(destination, "Operation",
                                                     "SELECT 1 FROM Operation WHERE OperationID = ?",
                                                     {qlonglong(destinationOperationID)}, 1)
                                               .isEmpty();
    if (!found) {
        QvMessageBox(QString::fromLatin1(NO_OPERATION_MESSAGE), MB_OK);
        return std::nullopt;
    }
    return text.first().first();
}

void WriteRecipeText(CDaoDatabase& destination, long destinationOperationID, const QVariant& text)
{
    RunKept(destination, "Operation", "UPDATE Operation SET RecipeText = ? WHERE OperationID = ?",
            {text, qlonglong(destinationOperationID)});
}
} // namespace

int CopyOperationRecipe(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID, bool keepNames)
{
    CDaoDatabase* source = GetStepDatabase(sourceStepID);
    CDaoDatabase* destination = GetStepDatabase(destinationStepID);
    if (!source || !destination) {
        QvMessageBox(QString::fromLatin1(NO_OPERATION_MESSAGE), MB_OK);
        return 0;
    }
    CopyParameterRows(*source, *destination, sourceOperationID, destinationStepID, destinationOperationID,
                      keepNames);
    const std::optional<QVariant> text =
        SourceRecipeText(*source, *destination, sourceOperationID, destinationOperationID);
    if (!text)
        return 0;
    WriteRecipeText(*destination, destinationOperationID, *text);
    ProcessOperation(destinationStepID, destinationOperationID);
    WriteRecipeText(*destination, destinationOperationID, *text); // the copied text, not the processed one
    return 1;
}

bool CopyOperationNotes(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID)
{
    CDaoDatabase* source = GetStepDatabase(sourceStepID);
    CDaoDatabase* destination = GetStepDatabase(destinationStepID);
    if (!source || !destination)
        return false;
    const QList<QVariantList> notes =
        KeptRows(*source, "Operation", "SELECT UserComments, RangeText, SafetyNote FROM Operation WHERE OperationID = ?",
                 {qlonglong(sourceOperationID)}, 3);
    if (notes.isEmpty())
        return false;
    RunKept(*destination, "Operation",
            "UPDATE Operation SET UserComments = ?, RangeText = ?, SafetyNote = ? WHERE OperationID = ?",
            {notes[0][0], notes[0][1], notes[0][2], qlonglong(destinationOperationID)});
    return true;
}
