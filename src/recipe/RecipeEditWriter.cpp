// Set-based writes of the rows a text-recipe edit changed.

#include "recipe/RecipeEditWriter.h"

#include "foundation/db/DaoDatabase.h"
#include "recipe/RecipeButton.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString EDIT_WRITER_KEY = QStringLiteral("recipe edit");

const char* const UPDATE_ROWS =
    "UPDATE TextRecipe SET RecipeSequenceNumber = json_extract(j.value, '$[1]'),"
    " ID = json_extract(j.value, '$[2]'), Indent = json_extract(j.value, '$[3]'),"
    " Label = json_extract(j.value, '$[4]'), OPNumber = json_extract(j.value, '$[5]'),"
    " UPNumber = json_extract(j.value, '$[6]'), Hide = json_extract(j.value, '$[7]'),"
    " Breakpoint = json_extract(j.value, '$[8]')"
    " FROM json_each(?1) AS j WHERE TextRecipe.RowKey = json_extract(j.value, '$[0]')";

const char* const DELETE_ROWS = "DELETE FROM TextRecipe WHERE RowKey IN (SELECT value FROM json_each(?1))";

const char* const UPDATE_OWNERS =
    "UPDATE Operation SET UnitProcedureID = json_extract(j.value, '$[1]')"
    " FROM json_each(?1) AS j WHERE Operation.OperationID = json_extract(j.value, '$[0]')";

void RunEditStatement(CDaoDatabase& step, const char* table, const char* sql, const QJsonArray& values)
{
    const StatementKey key{StatementKind::Update, QString::fromLatin1(table), {QString::fromLatin1(sql)},
                           {EDIT_WRITER_KEY}, {}};
    step.Connection().execKept(key, [sql] { return QString::fromLatin1(sql); },
                               {QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact))});
}

QJsonArray RowValues(long rowKey, const RecipeRowState& row)
{
    return {qint64(rowKey), qint64(row.sequence), qint64(row.id),   row.indent,
            row.label.isEmpty() ? QJsonValue() : QJsonValue(row.label),
            qint64(row.opNumber), qint64(row.upNumber), row.hide ? 1 : 0, row.breakpoint ? 1 : 0};
}

RecipeRowState RowStateOf(const RecipeLineRecord& line, int index)
{
    RecipeRowState row;
    std::tie(row.sequence, row.id, row.indent, row.label) =
        std::tuple(long(index + 1), line.itemID, line.indent, line.label);
    std::tie(row.opNumber, row.upNumber, row.hide, row.breakpoint) =
        std::tuple(line.operationNumber, line.unitProcedureNumber, line.hidden, line.breakpoint);
    return row;
}

} // namespace

RecipeLinesState CRecipeEditWriter::StateOf(const QList<CRecipeButton*>& lines)
{
    RecipeLinesState state;
    state.rows.reserve(lines.size());
    long owner = -1;
    for (int index = 0; index < lines.size(); ++index) {
        const RecipeLineRecord& line = lines.at(index)->line();
        state.rows.insert(line.rowKey, RowStateOf(line, index));
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE)
            owner = line.itemID;
        else if (line.kind == RECIPE_LINE_OPERATION)
            state.owners.insert(line.itemID, owner);
    }
    return state;
}

int CRecipeEditWriter::Write(CDaoDatabase& step, const RecipeLinesState& before, const RecipeLinesState& after)
{
    QJsonArray deleted, changed, owners;
    for (auto it = before.rows.begin(); it != before.rows.end(); ++it) {
        if (!after.rows.contains(it.key()))
            deleted.append(qint64(it.key()));
    }
    for (auto it = after.rows.begin(); it != after.rows.end(); ++it) {
        const auto old = before.rows.constFind(it.key());
        if (old == before.rows.constEnd() || *old != it.value())
            changed.append(RowValues(it.key(), it.value()));
    }
    for (auto it = after.owners.begin(); it != after.owners.end(); ++it) {
        if (it.value() > -1 && before.owners.value(it.key(), -1) != it.value())
            owners.append(QJsonArray{qint64(it.key()), qint64(it.value())});
    }
    if (!deleted.isEmpty())
        RunEditStatement(step, "TextRecipe", DELETE_ROWS, deleted);
    if (!changed.isEmpty())
        RunEditStatement(step, "TextRecipe", UPDATE_ROWS, changed);
    if (!owners.isEmpty())
        RunEditStatement(step, "Operation", UPDATE_OWNERS, owners);
    return int(deleted.size() + changed.size());
}
