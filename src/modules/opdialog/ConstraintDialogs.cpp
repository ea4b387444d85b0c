#include "modules/opdialog/ConstraintDialogs.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/opdialog/ConstraintDialog.h"

#include <QSqlQuery>

namespace {
const QString STARTS_AFTER_LOGIC = QStringLiteral("Starts-After");
const QString PARALLEL_TO_LOGIC = QStringLiteral("Parallel-To");

// The constraint table of one kind of item.
struct ConstraintTable {
    const char* table;
    const char* current;
    const char* parameter;
};
const ConstraintTable OPERATION_TABLE{"OperationConditionalLogicParameter", "CurrentOperationID",
                                      "OperationParameterID"};
const ConstraintTable UNIT_PROCEDURE_TABLE{"UnitProcedureConditionalLogicParameter", "CurrentUnitProcedureID",
                                           "UnitProcedureParameterID"};

// The recipe's rows in order: (type, id, label).
struct RecipeEntry {
    QString type;
    long id;
    QString label;
};

QList<RecipeEntry> RecipeEntries(CDaoDatabase& step, long stepID)
{
    QSqlQuery rows = step.Query(QStringLiteral("SELECT Type, ID, COALESCE(Label, '') || ' ' || COALESCE("
                                               "UnitProcedureName, OperationName, '') FROM TextRecipe WHERE StepID = ?"
                                               " ORDER BY RecipeSequenceNumber, RowKey"),
                                {qlonglong(stepID)});
    QList<RecipeEntry> entries;
    while (rows.next())
        entries.append({rows.value(0).toString().toLower(), long(rows.value(1).toLongLong()),
                        rows.value(2).toString().trimmed()});
    return entries;
}

QList<ConstraintChoice> CurrentChoices(CDaoDatabase& step, const ConstraintTable& table, long itemID,
                                       const QString& logic, const QList<ConstraintChoice>& candidates)
{
    QSqlQuery rows = step.Query(QStringLiteral("SELECT %1, COALESCE(Delay, 0), COALESCE(DelayUOM, '') FROM %2"
                                               " WHERE %3 = ? AND ConditionalLogic = ? ORDER BY RowKey")
                                    .arg(QLatin1String(table.parameter), QLatin1String(table.table),
                                         QLatin1String(table.current)),
                                {qlonglong(itemID), logic});
    QList<ConstraintChoice> current;
    while (rows.next()) {
        ConstraintChoice choice{long(rows.value(0).toLongLong()), QString(), rows.value(1).toDouble(),
                                rows.value(2).toString()};
        for (const ConstraintChoice& candidate : candidates)
            choice.label = candidate.itemID == choice.itemID ? candidate.label : choice.label;
        current << choice;
    }
    return current;
}

QStringList TimeUnits()
{
    QStringList units;
    for (const char* name : {"s", "min", "h", "day", "week"}) {
        if (GetUnitIndex(QLatin1String(name)) >= 0)
            units << QLatin1String(name);
    }
    return units;
}

void ReplaceRows(CDaoDatabase& step, const ConstraintTable& table, long itemID, const QString& logic,
                 const QList<ConstraintChoice>& chosen)
{
    CDaoTransaction transaction(step);
    step.Execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND ConditionalLogic = ?")
                     .arg(QLatin1String(table.table), QLatin1String(table.current)),
                 {qlonglong(itemID), logic});
    for (const ConstraintChoice& choice : chosen)
        step.Execute(QStringLiteral("INSERT INTO %1 (%2, ConditionalLogic, %3, Delay, DelayUOM) VALUES (?, ?, ?, ?, ?)")
                         .arg(QLatin1String(table.table), QLatin1String(table.current), QLatin1String(table.parameter)),
                     {qlonglong(itemID), logic, qlonglong(choice.itemID), choice.delay, choice.delayUOM});
    transaction.Commit();
}

// Asks, then writes in one transaction; 1 only when the rows changed.
int EditConstraints(long stepID, const ConstraintTable& table, long itemID, const QString& logic,
                    const QString& title, const QList<ConstraintChoice>& candidates)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return 0;
    try {
        const QList<ConstraintChoice> current = CurrentChoices(*step, table, itemID, logic, candidates);
        ConstraintDialogService fallback;
        ConstraintDialogService* dialogs = ServiceSlot<ConstraintDialogService>::Get();
        const std::optional<QList<ConstraintChoice>> chosen =
            (dialogs ? dialogs : &fallback)->AskConstraints(title, candidates, current, TimeUnits());
        if (!chosen || *chosen == current)
            return 0;
        ReplaceRows(*step, table, itemID, logic, *chosen);
        return 1;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return 0;
    }
}

// The items of one type above the row of (type, id).
QList<ConstraintChoice> ItemsAbove(const QList<RecipeEntry>& entries, const QString& type, long itemID)
{
    QList<ConstraintChoice> above;
    for (const RecipeEntry& entry : entries) {
        if (entry.type != type)
            continue;
        if (entry.id == itemID)
            return above;
        above.append({entry.id, entry.label, 0.0, QString()});
    }
    return {};
}

// The first operation of each series of the block whose "Start Parallel" row has that ID.
QList<ConstraintChoice> SeriesFirsts(const QList<RecipeEntry>& entries, long blockID)
{
    QList<ConstraintChoice> firsts;
    int depth = -1;
    bool wanting = false;
    for (const RecipeEntry& entry : entries) {
        const bool start = entry.type.startsWith(QLatin1String("start "));
        if (depth < 0) {
            depth = entry.type == QLatin1String("start parallel") && entry.id == blockID ? 0 : -1;
            continue;
        }
        if (start || entry.type.startsWith(QLatin1String("end "))) {
            if (!start && depth-- == 0)
                break;
            depth += start ? 1 : 0;
        } else if (depth == 0 && entry.type == QLatin1String("series")) {
            wanting = true;
        } else if (wanting && entry.type == QLatin1String("operation")) {
            firsts.append({entry.id, entry.label, 0.0, QString()});
            wanting = false;
        }
    }
    return firsts;
}
} // namespace

std::optional<QList<ConstraintChoice>> ConstraintDialogService::AskConstraints(
    const QString& title, const QList<ConstraintChoice>& candidates, const QList<ConstraintChoice>& current,
    const QStringList& timeUnits)
{
    CConstraintDialog dialog(title, candidates, current, timeUnits);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

int OPDialogOperationConstraints(const QString&, long stepID, long operationID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return 0;
    const QList<ConstraintChoice> above = ItemsAbove(RecipeEntries(*step, stepID), QStringLiteral("operation"), operationID);
    return EditConstraints(stepID, OPERATION_TABLE, operationID, STARTS_AFTER_LOGIC,
                           QStringLiteral("Start-After Constraints"), above);
}

int OPDialogUnitProcedureConstraints(const QString&, long stepID, long unitProcedureID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return 0;
    const QList<ConstraintChoice> above =
        ItemsAbove(RecipeEntries(*step, stepID), QStringLiteral("unit procedure"), unitProcedureID);
    return EditConstraints(stepID, UNIT_PROCEDURE_TABLE, unitProcedureID, STARTS_AFTER_LOGIC,
                           QStringLiteral("Start-After Constraints"), above);
}

int OPDialogParallelBlockDelay(const QString&, long stepID, long blockID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return 0;
    const QList<ConstraintChoice> firsts = SeriesFirsts(RecipeEntries(*step, stepID), blockID);
    if (firsts.size() < 2)
        return 0;
    return EditConstraints(stepID, OPERATION_TABLE, firsts.first().itemID, PARALLEL_TO_LOGIC,
                           QStringLiteral("Parallel-Block Constraints"), firsts.mid(1));
}
