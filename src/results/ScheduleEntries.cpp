#include "results/ScheduleEntries.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/qvxl/ReportNames.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace {

struct RecipeOperation {
    QString label;
    QString name;
    long unitProcedureID = 0;
    bool breakpoint = false;
};

struct RecipeUnitProcedure {
    QString caption;
    long equipmentID = 0;
    int order = 0;
};

// What the schedule shows of one step's recipe, read once per step.
struct StepRecipe {
    QString name;
    QHash<long, RecipeOperation> operations;
    QHash<long, RecipeUnitProcedure> unitProcedures;
};

void ReadRecipeLines(CDaoDatabase& step, StepRecipe& recipe)
{
    QSqlQuery lines = step.Query(QStringLiteral(
        "SELECT t.ID, t.Type, COALESCE(t.Label, ''), COALESCE(t.OperationName, o.QuorvantaLabel, ''),"
        " COALESCE(t.UnitProcedureName, ''), t.Breakpoint, o.UnitProcedureID FROM TextRecipe t"
        " LEFT JOIN Operation o ON t.Type = 'Operation' AND o.OperationID = t.ID"
        " WHERE t.Type IN ('Operation', 'Unit Procedure') ORDER BY t.RecipeSequenceNumber"));
    int order = 0;
    while (lines.next()) {
        const long id = long(lines.value(0).toLongLong());
        if (lines.value(1).toString().compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0) {
            recipe.operations.insert(id, {lines.value(2).toString(), lines.value(3).toString(),
                                          long(lines.value(6).toLongLong()), lines.value(5).toInt() != 0});
        } else {
            const QString caption =
                (lines.value(2).toString() + QLatin1Char(' ') + lines.value(4).toString());
            recipe.unitProcedures.insert(id, {caption.trimmed(), 0, ++order});
        }
    }
    QSqlQuery vessels =
        step.Query(QStringLiteral("SELECT UnitProcedureID, PrimaryEquipmentID FROM UnitProcedure"));
    while (vessels.next()) {
        auto found = recipe.unitProcedures.find(long(vessels.value(0).toLongLong()));
        if (found != recipe.unitProcedures.end())
            found->equipmentID = long(vessels.value(1).toLongLong());
    }
}

StepRecipe ReadStepRecipe(long stepID)
{
    StepRecipe recipe;
    recipe.name = ReportStepName(stepID);
    if (recipe.name.isEmpty())
        recipe.name = QStringLiteral("Step %1").arg(stepID);
    CDaoDatabase* step = GetStepDatabase(stepID);
    try {
        if (step && step->IsOpen())
            ReadRecipeLines(*step, recipe);
    } catch (const CDaoException&) {
        recipe.operations.clear(); // shown by id
        recipe.unitProcedures.clear();
    }
    return recipe;
}

// Every equipment tag of the project, by id.
QHash<long, QString> EquipmentTags()
{
    QHash<long, QString> tags;
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment || !equipment->IsOpen())
        return tags;
    try {
        QSqlQuery rows =
            equipment->Query(QStringLiteral("SELECT ActualEquipmentID, QVTag FROM ActualEquipmentCommon"));
        while (rows.next())
            tags.insert(long(rows.value(0).toLongLong()), rows.value(1).toString());
    } catch (const CDaoException&) {
    }
    return tags;
}

QString TagOf(const QHash<long, QString>& tags, long equipmentID)
{
    if (equipmentID <= 0)
        return QString();
    return tags.value(equipmentID, QStringLiteral("#%1").arg(equipmentID));
}

void FillFromRecipe(ScheduleEntry& entry, const StepRecipe& recipe, const QHash<long, QString>& tags)
{
    entry.stepName = recipe.name;
    const auto operation = recipe.operations.constFind(entry.operationID);
    if (operation == recipe.operations.constEnd()) {
        entry.name = QStringLiteral("Operation %1").arg(entry.operationID);
        entry.vesselTag = entry.equipmentTag;
        return;
    }
    entry.label = operation->label;
    entry.name = operation->name;
    entry.breakpoint = operation->breakpoint;
    entry.unitProcedureID = operation->unitProcedureID;
    const RecipeUnitProcedure unitProcedure = recipe.unitProcedures.value(operation->unitProcedureID);
    entry.unitProcedure = unitProcedure.caption;
    entry.recipeOrder = unitProcedure.order;
    entry.vesselTag =
        unitProcedure.equipmentID > 0 ? TagOf(tags, unitProcedure.equipmentID) : entry.equipmentTag;
}

// Remarks of an operation in one batch: the worst type and the texts.
void AddRemarks(QList<ScheduleEntry>& entries, const QList<ResultsRemark>& remarks)
{
    QHash<QString, int> byKey;
    for (int i = 0; i < entries.size(); ++i) {
        const ScheduleEntry& e = entries.at(i);
        byKey.insert(QStringLiteral("%1/%2/%3").arg(e.stepID).arg(e.operationID).arg(e.batchNumber), i);
    }
    for (const ResultsRemark& remark : remarks) {
        const auto found = byKey.constFind(
            QStringLiteral("%1/%2/%3").arg(remark.stepID).arg(remark.operationID).arg(remark.batchNumber));
        if (found == byKey.constEnd())
            continue;
        ScheduleEntry& entry = entries[found.value()];
        entry.remarks << remark.text;
        const bool error = remark.type.compare(QLatin1String("Error"), Qt::CaseInsensitive) == 0;
        if (error)
            entry.severity = RemarkSeverity::Error;
        else if (entry.severity == RemarkSeverity::None)
            entry.severity = RemarkSeverity::Warning;
    }
}

// The entry of a transfer's hold: the transfer's line, on the vessel and unit procedure it fills.
ScheduleEntry HoldEntry(const ResultsVesselHold& hold, const StepRecipe& recipe,
                        const QHash<long, QString>& tags)
{
    ScheduleEntry entry;
    entry.stepID = hold.stepID;
    entry.batchNumber = hold.batchNumber;
    entry.operationID = hold.operationID;
    entry.equipmentID = hold.equipmentID;
    entry.equipmentTag = TagOf(tags, hold.equipmentID);
    FillFromRecipe(entry, recipe, tags);
    entry.hold = true;
    entry.name += QStringLiteral(" (filling)");
    entry.breakpoint = false;
    entry.unitProcedureID = hold.unitProcedureID;
    const RecipeUnitProcedure filled = recipe.unitProcedures.value(hold.unitProcedureID);
    entry.unitProcedure = filled.caption;
    entry.recipeOrder = filled.order;
    entry.vesselTag = entry.equipmentTag;
    return entry;
}

// A file's time where the window can place it: within a bound past any run (about 31 years),
// so that the chart's pixels stay countable; not a number is 0.
double ScheduleSeconds(double seconds)
{
    constexpr double LATEST = 1e9;
    return std::isnan(seconds) ? 0.0 : std::clamp(seconds, -LATEST, LATEST);
}
} // namespace

QList<ScheduleEntry> ReadScheduleEntries(const QString& projectDir, const QString& fileName)
{
    QList<ResultsScheduleRow> rows;
    QList<ResultsRemark> remarks;
    QList<ResultsVesselHold> holds;
    {
        CResultsDatabase results; // closed again before the project's names are read
        if (!results.Open(ResultsFilePath(projectDir, fileName)))
            return {};
        rows = results.PlanSchedule();
        remarks = results.AllRemarks();
        holds = results.VesselHolds();
    }
    const QHash<long, QString> tags = EquipmentTags();
    QHash<long, StepRecipe> recipes;
    QList<ScheduleEntry> entries;
    entries.reserve(rows.size());
    for (const ResultsScheduleRow& row : rows) {
        if (!recipes.contains(row.stepID))
            recipes.insert(row.stepID, ReadStepRecipe(row.stepID));
        ScheduleEntry entry;
        entry.stepID = row.stepID;
        entry.batchNumber = row.batchNumber;
        entry.operationID = row.operationID;
        entry.equipmentID = row.equipmentID;
        entry.equipmentTag = TagOf(tags, row.equipmentID);
        entry.start = ScheduleSeconds(row.start);
        entry.end = std::max(ScheduleSeconds(row.end), entry.start);
        FillFromRecipe(entry, recipes.value(row.stepID), tags);
        entries << entry;
    }
    AddRemarks(entries, remarks);
    for (const ResultsVesselHold& hold : holds) {
        if (!recipes.contains(hold.stepID))
            recipes.insert(hold.stepID, ReadStepRecipe(hold.stepID));
        ScheduleEntry entry = HoldEntry(hold, recipes.value(hold.stepID), tags);
        entry.start = ScheduleSeconds(hold.start);
        entry.end = std::max(ScheduleSeconds(hold.end), entry.start);
        entries << entry;
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ScheduleEntry& a, const ScheduleEntry& b) { return a.start < b.start; });
    return entries;
}

QString ScheduleResultsFileName(ScheduleKind kind, long id)
{
    switch (kind) {
    case ScheduleKind::Process:
        return ProcessResultsFileName(id);
    case ScheduleKind::Plan:
        return PlanResultsFileName(id);
    case ScheduleKind::Step:
        break;
    }
    return StepResultsFileName(id);
}

QString FormatScheduleTime(double seconds)
{
    if (std::isnan(seconds) || seconds >= UNSET_VALUE)
        return QString();
    constexpr double MOST_MINUTES = 1e15; // far past any run, and whole minutes are exact below it
    const auto minutes = qint64(std::round(std::clamp(seconds / 60.0, 0.0, MOST_MINUTES)));
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
