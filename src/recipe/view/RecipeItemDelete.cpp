#include "recipe/view/RecipeItemDelete.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "recipe/edit/StagedTransaction.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/view/RecipeEditWriter.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
// The step's lines in recipe order as a recipe window loads them: a keyword line's id is its
// sequence number.
QList<RecipeLineRecord> ReadRecipeLines(CDaoDatabase& step, long stepID)
{
    QSqlQuery rows = step.Query(
        QStringLiteral("SELECT RowKey, Type, ID, RecipeSequenceNumber, Indent, Label, OPNumber, UPNumber, Hide,"
                       " Breakpoint FROM TextRecipe WHERE StepID = ? ORDER BY RecipeSequenceNumber, RowKey"),
        {qlonglong(stepID)});
    QList<RecipeLineRecord> lines;
    while (rows.next()) {
        RecipeLineRecord line;
        line.rowKey = long(rows.value(0).toLongLong());
        line.kind = RecipeLineKindOf(rows.value(1).toString());
        line.itemID = long(rows.value(IsKeywordLine(line.kind) ? 3 : 2).toLongLong());
        line.indent = rows.value(4).toInt();
        line.label = rows.value(5).toString();
        line.operationNumber = long(rows.value(6).toLongLong());
        line.unitProcedureNumber = long(rows.value(7).toLongLong());
        line.hidden = rows.value(8).toLongLong() != 0;
        line.breakpoint = rows.value(9).toLongLong() != 0;
        lines.append(line);
    }
    return lines;
}

// Removes the item's line and, for a unit procedure, every line up to the next one; false when
// the recipe does not hold the item.
bool RemoveItemLines(QList<RecipeLineRecord>& lines, long itemID, int kind)
{
    qsizetype at = 0;
    while (at < lines.size() && !(lines.at(at).itemID == itemID && lines.at(at).kind == kind))
        ++at;
    if (at == lines.size())
        return false;
    qsizetype end = at + 1;
    while (kind == RECIPE_LINE_UNIT_PROCEDURE && end < lines.size() &&
           lines.at(end).kind != RECIPE_LINE_UNIT_PROCEDURE)
        ++end;
    lines.remove(at, end - at);
    return true;
}

// Unit procedures count from 1, operations from 1 within theirs; a keyword line's id is its place.
void NumberRemainingLines(QList<RecipeLineRecord>& lines)
{
    long unitProcedure = 0;
    long operation = 1;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        RecipeLineRecord& line = lines[j];
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            std::tie(unitProcedure, operation) = std::pair(unitProcedure + 1, 1L);
            line.unitProcedureNumber = unitProcedure;
            line.label = QString::number(unitProcedure) + QLatin1Char('.');
        } else if (line.kind == RECIPE_LINE_OPERATION) {
            std::tie(line.unitProcedureNumber, line.operationNumber) = std::pair(unitProcedure, operation);
            line.label = QString::number(unitProcedure) + QLatin1Char('.') + QString::number(operation++) +
                         QLatin1Char('.');
        } else {
            line.itemID = long(j + 1);
        }
    }
}
} // namespace

bool CRecipeItemDelete::Run(long stepID, long itemID, int kind, const QString& failure)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    QList<RecipeLineRecord> lines;
    try {
        if (step && step->IsOpen())
            lines = ReadRecipeLines(*step, stepID);
    } catch (const CDaoException&) {
        step = nullptr;
    }
    if (!step || !step->IsOpen()) {
        QvMessageBox(failure);
        return false;
    }
    const RecipeLinesState before = CRecipeEditWriter::StateOf(lines);
    if (!RemoveItemLines(lines, itemID, kind))
        return true;
    NumberRemainingLines(lines);
    const RecipeLinesState after = CRecipeEditWriter::StateOf(lines);
    QList<long> regenerated;
    const bool written = CStagedTransaction(step)
                             .Stage(failure, MB_OK,
                                    [&](CDaoDatabase& database) {
                                        CRecipeEditWriter::Write(database, stepID, before, after);
                                        regenerated =
                                            CRecipeEditWriter::RegenerateMovedTexts(stepID, before, after);
                                    })
                             .Commit();
    if (written)
        CRecipeEditWriter::ShowRegeneratedTexts(stepID, regenerated);
    return written;
}
