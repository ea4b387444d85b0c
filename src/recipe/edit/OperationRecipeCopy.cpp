#include "recipe/edit/OperationRecipeCopy.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedConnection.h"
#include "recipe/edit/OperationRecipeSource.h"

#include <QList>
#include <QSet>
#include <QVariant>

namespace {
// Rows of a source read through a statement the connection keeps prepared.
QList<QVariantList> KeptRows(CDaoDatabase& database, const char* table, const char* sql,
                             const QVariantList& values, int columns)
{
    const StatementKey key{StatementKind::Update,
                           QString::fromLatin1(table),
                           {QString::fromLatin1(sql)},
                           {QStringLiteral("operation data copy")},
                           {}};
    QList<QVariantList> rows;
    database.Connection().execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values,
        [&](KeptResult& result) {
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

// The value and its numbered forms "value (n)" that fields of operations still in the destination
// recipe hold, folded; one statement.
QSet<QString> TakenNames(CDaoDatabase& destination, long stepID, const QString& value)
{
    QString pattern = value;
    pattern.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    const QList<QVariantList> rows = KeptRows(
        destination, "TblFieldData",
        "SELECT DISTINCT f.StringValue FROM TblFieldData f JOIN TblGroupData g ON g.GroupID = f.GroupID"
        " JOIN TextRecipe t ON t.ID = g.OperationID AND t.Type = 'Operation' AND t.StepID = ?"
        " WHERE f.FieldTypeID = ? AND (f.StringValue = ? COLLATE NOCASE OR f.StringValue LIKE ? ESCAPE '\\')",
        {qlonglong(stepID), qlonglong(UNIQUE_NAME_FIELD_TYPE), value, pattern + QStringLiteral(" (%)")}, 1);
    QSet<QString> taken;
    for (const QVariantList& row : rows)
        taken.insert(FoldedName(row.first().toString()));
    return taken;
}

// The value, or "value (n)" with the first n that no operation still in the recipe holds.
QString FreeName(CDaoDatabase& destination, long stepID, const QString& value)
{
    return FirstFreeName(TakenNames(destination, stepID, value), value);
}

// Groups, then fields and ranges under the new groups; each table by one statement.
void CopyParameterRows(const OperationRecipeRows& source, CDaoDatabase& destination, long destinationStepID,
                       long destinationOperationID, bool keepNames)
{
    if (source.groups.isEmpty())
        return;
    QList<QVariantList> fields = source.fields;
    for (QVariantList& field : fields) {
        if (!keepNames && field[2].toLongLong() == UNIQUE_NAME_FIELD_TYPE && !field[6].toString().isEmpty())
            field[6] = FreeName(destination, destinationStepID, field[6].toString());
    }
    const QList<QVariantList>& groups = source.groups;
    const QList<QVariantList>& ranges = source.ranges;
    const qlonglong target = destinationOperationID;
    RunKept(
        destination, "TblGroupData",
        "INSERT INTO TblGroupData (OperationID, OpGroupID, GroupTypeID, GroupIndex, SequenceNumber)"
        " SELECT ?, json_extract(value, '$[0]'), json_extract(value, '$[1]'), json_extract(value, '$[2]'),"
        " json_extract(value, '$[3]') FROM json_each(?) ORDER BY key",
        {target, JsonRows(groups)});
    if (!fields.isEmpty())
        RunKept(destination, "TblFieldData",
                "INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM, "
                "StringValue)"
                " SELECT g.GroupID, json_extract(value, '$[1]'), json_extract(value, '$[2]'),"
                " json_extract(value, '$[3]'), json_extract(value, '$[4]'), json_extract(value, '$[5]'),"
                " json_extract(value, '$[6]') FROM json_each(?) JOIN TblGroupData g"
                " ON g.OperationID = ? AND g.OpGroupID = json_extract(value, '$[0]') ORDER BY key",
                {JsonRows(fields), target});
    if (!ranges.isEmpty())
        RunKept(
            destination, "TblRangeData",
            "INSERT INTO TblRangeData (GroupID, SubGroupIndex, FieldTypeID, RangeTypeID, RangeCategory, Low,"
            " LowWidth, LowUOM, High, HighWidth, HighUOM)"
            " SELECT g.GroupID, json_extract(value, '$[1]'), json_extract(value, '$[2]'), "
            "json_extract(value, '$[3]'),"
            " json_extract(value, '$[4]'), json_extract(value, '$[5]'), json_extract(value, '$[6]'),"
            " json_extract(value, '$[7]'), json_extract(value, '$[8]'), json_extract(value, '$[9]'),"
            " json_extract(value, '$[10]') FROM json_each(?) JOIN TblGroupData g"
            " ON g.OperationID = ? AND g.OpGroupID = json_extract(value, '$[0]') ORDER BY key",
            {JsonRows(ranges), target});
    RunKept(destination, "TblGroupData", "UPDATE TblGroupData SET OpGroupID = NULL WHERE OperationID = ?",
            {target});
}

// The destination row exists; reported when it or the source row is missing.
bool BothOperationRowsFound(const OperationRecipeRows* source, CDaoDatabase& destination,
                            long destinationOperationID)
{
    const bool found =
        source && !KeptRows(destination, "Operation", "SELECT 1 FROM Operation WHERE OperationID = ?",
                            {qlonglong(destinationOperationID)}, 1)
                       .isEmpty();
    if (!found)
        QvMessageBox(QString::fromLatin1(OPERATION_COPY_FAILED), MB_OK);
    return found;
}

void WriteRecipeText(CDaoDatabase& destination, long destinationOperationID, const QVariant& text)
{
    RunKept(destination, "Operation", "UPDATE Operation SET RecipeText = ? WHERE OperationID = ?",
            {text, qlonglong(destinationOperationID)});
}
} // namespace

QString FoldedName(QString name)
{
    for (QChar& c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return name;
}

QString FirstFreeName(const QSet<QString>& takenFolded, const QString& value)
{
    if (!takenFolded.contains(FoldedName(value)))
        return value;
    int n = 1;
    while (takenFolded.contains(FoldedName(QStringLiteral("%1 (%2)").arg(value).arg(n))))
        ++n;
    return QStringLiteral("%1 (%2)").arg(value).arg(n);
}

int CopyOperationRecipe(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID, bool keepNames)
{
    CDaoDatabase* source = GetStepDatabase(sourceStepID);
    if (!source || !GetStepDatabase(destinationStepID)) {
        QvMessageBox(QString::fromLatin1(OPERATION_COPY_FAILED), MB_OK);
        return 0;
    }
    return CopyOperationRecipe(COperationRecipeSource(*source, {sourceOperationID}), sourceOperationID,
                               destinationStepID, destinationOperationID, keepNames);
}

int CopyOperationRecipe(const COperationRecipeSource& source, long sourceOperationID, long destinationStepID,
                        long destinationOperationID, bool keepNames)
{
    CDaoDatabase* destination = GetStepDatabase(destinationStepID);
    const OperationRecipeRows* rows = source.Find(sourceOperationID);
    if (!destination) {
        QvMessageBox(QString::fromLatin1(OPERATION_COPY_FAILED), MB_OK);
        return 0;
    }
    if (rows)
        CopyParameterRows(*rows, *destination, destinationStepID, destinationOperationID, keepNames);
    if (!BothOperationRowsFound(rows, *destination, destinationOperationID))
        return 0;
    WriteRecipeText(*destination, destinationOperationID, rows->recipeText);
    ProcessOperation(destinationStepID, destinationOperationID);
    WriteRecipeText(*destination, destinationOperationID,
                    rows->recipeText); // the copied text, not the processed one
    return 1;
}

bool CopyOperationNotes(long sourceStepID, long sourceOperationID, long destinationStepID,
                        long destinationOperationID)
{
    CDaoDatabase* source = GetStepDatabase(sourceStepID);
    return source && CopyOperationNotes(COperationRecipeSource(*source, {sourceOperationID}),
                                        sourceOperationID, destinationStepID, destinationOperationID);
}

bool CopyOperationNotes(const COperationRecipeSource& source, long sourceOperationID, long destinationStepID,
                        long destinationOperationID)
{
    CDaoDatabase* destination = GetStepDatabase(destinationStepID);
    const OperationRecipeRows* rows = source.Find(sourceOperationID);
    if (!destination || !rows)
        return false;
    RunKept(*destination, "Operation",
            "UPDATE Operation SET UserComments = ?, RangeText = ?, SafetyNote = ? WHERE OperationID = ?",
            {rows->notes.value(0), rows->notes.value(1), rows->notes.value(2),
             qlonglong(destinationOperationID)});
    return true;
}
