#include "recipe/panes/ConditionalLogicView.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "modules/sharedclasses/SharedParallelBlockStructure.h"
#include "recipe/transitions/RecipeKeywords.h"

#include <QSqlQuery>

namespace {
const QString STARTS_AFTER = QStringLiteral("Starts-After");
const QString PARALLEL_TO = QStringLiteral("Parallel-To");

// "Name (Version )" of the step's record; false when it cannot be read.
bool ReadConstraintStepCaption(long stepID, QString& caption)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    try {
        QSqlQuery record =
            step->Query(QStringLiteral("SELECT StepName, StepVersionName FROM Step WHERE StepID = ?"),
                        {qlonglong(stepID)});
        if (!record.next())
            return false;
        caption = QStringLiteral("Scheduling Constraints for ") + record.value(0).toString() +
                  QStringLiteral(" (") + record.value(1).toString() + QStringLiteral(" )");
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

// Adjacent pairs swap only when both positions are known and the later one lies earlier: an
// item whose position is unknown (0) never moves, and nothing moves past it.
void SortByKnownPositions(QList<std::pair<long, long>>& positionsAndIDs)
{
    for (qsizetype i = 1; i < positionsAndIDs.size(); ++i) {
        for (qsizetype j = i; j > 0; --j) {
            const long earlier = positionsAndIDs.at(j - 1).first;
            const long later = positionsAndIDs.at(j).first;
            if (earlier == 0 || later == 0 || later >= earlier)
                break;
            positionsAndIDs.swapItemsAt(j - 1, j);
        }
    }
}
} // namespace

struct CConditionalLogicView::FillContext {
    const CSharedParallelBlockStructure& recipe;
    CStepConstraintTable operations;
    CStepConstraintTable unitProcedures;
    QHash<long, const ConstraintRow*> parallelTo; // by the later series' first operation; last wins

    explicit FillContext(const CSharedParallelBlockStructure& structure) : recipe(structure) {}

    QString description(long itemID, const QString& type, bool* read = nullptr) const
    {
        QString name;
        QString label;
        const bool found = recipe.readDescription(itemID, type, name, label);
        if (read)
            *read = found;
        return found ? label + QLatin1Char(' ') + name : QString();
    }

    QString startsAfterText(const CStepConstraintTable& table, long itemID, const QString& type) const;
    QString parallelToText(long operationID) const;
};

QString CConditionalLogicView::FillContext::startsAfterText(const CStepConstraintTable& table, long itemID,
                                                            const QString& type) const
{
    QString text;
    for (const ConstraintRow& row : table.runOf(itemID)) {
        bool read = false;
        if (!row.Is(STARTS_AFTER) || row.parameterNull)
            continue;
        const QString item = description(row.parameterID, type, &read);
        if (!read)
            continue;
        text += row.delayNull || !(row.delay > 0)
                    ? item
                    : item + QString::asprintf(" + %.2f ", row.delay) + row.delayUOM;
        text += QStringLiteral("; ");
    }
    const qsizetype lastSemicolon = text.lastIndexOf(QLatin1Char(';'));
    if (lastSemicolon >= 0)
        text.remove(lastSemicolon, 1);
    return text;
}

QString CConditionalLogicView::FillContext::parallelToText(long operationID) const
{
    if (recipe.isFirstOperationInFirstSeries(operationID) || !recipe.isFirstOpInNonFirstSeries(operationID))
        return QString();
    const ConstraintRow* delayRow = parallelTo.value(operationID);
    const QString delay =
        delayRow ? QString::asprintf("+ %.2f ", delayRow->delay) + delayRow->delayUOM : QString();
    QList<long> block;
    QString first;
    if (recipe.getParallelOperationSet(block, operationID)) {
        bool read = false;
        first = description(block.first(), OPERATION_TYPE, &read);
        if (!read)
            return QString();
    } else {
        first = QStringLiteral(" ");
    }
    return delayRow ? first + QLatin1Char(' ') + delay : first;
}

CConditionalLogicView::CConditionalLogicView(QWidget* parent)
    : CStepListPane(LIST_ID, 4,
                    {QStringLiteral("Unit Procedure"), QStringLiteral("Operation"),
                     QStringLiteral("Starts After"), QStringLiteral("Starts Parallel")},
                    {150, 150, 150, 150}, parent)
{
    setObjectName(QStringLiteral("ConditionalLogicView"));
    SetCaption(DefaultCaption());
}

void CConditionalLogicView::Fill()
{
    QString caption;
    if (!ReadConstraintStepCaption(stepID(), caption))
        return;
    SetCaption(caption);
    EmptyList();
    const CSharedParallelBlockStructure recipe(stepID());
    FillContext fill(recipe);
    if (CDaoDatabase* step = GetStepDatabase(stepID())) {
        fill.operations.Read(*step, CStepConstraintTable::Kind::Operation);
        fill.unitProcedures.Read(*step, CStepConstraintTable::Kind::UnitProcedure);
    }
    for (const ConstraintRow& row : fill.operations.rows()) {
        if (row.Is(PARALLEL_TO) && !row.currentNull && !row.parameterNull && !row.delayNull &&
            recipe.isOperationAvailableOnTextRecipe(row.currentID))
            fill.parallelTo.insert(row.parameterID, &row);
    }
    if (recipe.getParallelBlockListSize() == 0)
        fillSortedItems(fill, fill.operations, OPERATION_TYPE);
    else
        fillRecipeOrderOperations(fill);
    fillSortedItems(fill, fill.unitProcedures, UNIT_PROCEDURE_TYPE);
}

// The items with constraints, in recipe order as far as their positions are known.
void CConditionalLogicView::fillSortedItems(const FillContext& fill, const CStepConstraintTable& table,
                                            const QString& type)
{
    const bool operations = type == OPERATION_TYPE;
    QList<std::pair<long, long>> items; // (position, id)
    for (long id : table.currentIDs()) {
        if (operations ? fill.recipe.isOperationAvailableOnTextRecipe(id)
                       : fill.recipe.isUnitProcedureAvailableOnTextRecipe(id))
            items.append({fill.recipe.getRecipeSequenceNumber(id, type), id});
    }
    SortByKnownPositions(items);
    for (const auto& [position, id] : std::as_const(items)) {
        if (operations && !table.hasRowOf(id, STARTS_AFTER))
            continue;
        bool read = false;
        const QString description = fill.description(id, type, &read);
        if (!read)
            continue;
        const QString startsAfter = fill.startsAfterText(table, id, type);
        operations ? addRow(QString(), description, startsAfter, QString())
                   : addRow(description, QString(), startsAfter, QString());
    }
}

// With parallel blocks: every shown operation with a Start-After constraint or inside a block
// (but the first of its first series), in recipe order.
void CConditionalLogicView::fillRecipeOrderOperations(const FillContext& fill)
{
    for (const CDataExchangeTextRecipe& row : fill.recipe.rows()) {
        if (!row.IsOperation() || row.Hide)
            continue;
        const bool startsAfter = fill.operations.hasRowOf(row.ID, STARTS_AFTER);
        const bool inBlock = fill.recipe.isOperationInParallelBlock(row.ID) &&
                             !fill.recipe.isFirstOperationInFirstSeries(row.ID);
        if (!startsAfter && !inBlock)
            continue;
        addRow(QString(), row.Label + QLatin1Char(' ') + row.OperationName + QLatin1Char(' '),
               startsAfter ? fill.startsAfterText(fill.operations, row.ID, OPERATION_TYPE) : QString(),
               fill.parallelToText(row.ID));
    }
}

void CConditionalLogicView::addRow(const QString& unitProcedure, const QString& operation,
                                   const QString& startsAfter, const QString& startsParallel)
{
    const int row = list().InsertItem(list().GetItemCount(), unitProcedure);
    list().SetItemText(row, 1, operation);
    list().SetItemText(row, 2, startsAfter);
    list().SetItemText(row, 3, startsParallel);
}
