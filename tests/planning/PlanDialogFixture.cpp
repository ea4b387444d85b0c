#include "PlanDialogFixture.h"

#include "foundation/controls/QVGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

namespace {
RecipeLineSpec EquipmentLine(const QString& name, long equipmentID)
{
    RecipeLineSpec line;
    line.type = QStringLiteral("Unit Procedure");
    line.name = name;
    line.equipmentID = equipmentID;
    return line;
}

EquipmentSpec Item(long id, const QString& tag, long classID, const QString& type)
{
    EquipmentSpec item;
    item.equipmentID = id;
    item.tag = tag;
    item.classID = classID;
    item.className = type;
    item.type = type;
    item.volume = 1000.0;
    return item;
}

StepSpec DialogStep(long id, const QString& name, long plantID, const QList<long>& equipment)
{
    StepSpec step = PlanStep(id, 500 + int(id % 10), 501 + int(id % 10), 10.0);
    step.name = name;
    step.version = QStringLiteral("1");
    step.plantID = plantID;
    for (long item : equipment)
        step.lines.append(EquipmentLine(QStringLiteral("UP %1").arg(item), item));
    return step;
}
} // namespace

ProjectSpec PlanDialogProject()
{
    StepSpec cleaning = DialogStep(CLEANING, "Clean", CProjectGenerator::PLANT_ID, {506});
    cleaning.cleaning = true;
    ProjectSpec spec = PlanProject(
        {DialogStep(REACTION, "Reaction", CProjectGenerator::PLANT_ID, {501, 512, 538, 580, 590, 501}),
         DialogStep(SEPARATION, "Separation", SECOND_PLANT, {601, 602}), cleaning,
         DialogStep(TWIN_STEP, "Twin", CProjectGenerator::PLANT_ID, {})},
        {{ROUTE, "Route", "1", {}, 502, 501, {REACTION, SEPARATION}},
         {TWIN_PROCESS, "Twin", "1", {}, 505, 501, {REACTION, TWIN_STEP, CLEANING}}});
    spec.plantName = QStringLiteral("Works Two");
    spec.plantsWithoutEquipment = {QStringLiteral("Works")};
    spec.equipment = {Item(501, "R-101", 1, "Batch"),   Item(512, "C-12", 12, "Batch"),
                      Item(538, "C-38", 38, "Batch"),   Item(580, "C-180", 180, "Batch"),
                      Item(590, "K-1", 2, "Continuous"), Item(506, "V-301", 1, "Batch"),
                      Item(601, "R-101", 1, "Batch"),   Item(602, "F-201", 3, "batch")};
    PlanSpec alpha{PLAN_A, "Alpha", 45000.5, 1, {}};
    PlanRequirementSpec route{"process", ROUTE, 100.0, "kg", true, false, 2.0, "h", 45001.25};
    PlanRequirementSpec clean{"step", CLEANING, 3.0, "batches"};
    alpha.requirements = {route, clean};
    spec.plans = {alpha, {PLAN_B, "Beta", 45000.0, 1, {}}};
    return spec;
}

std::unique_ptr<CProductionPlanDialog> PlanDialogFixture::OpenDialog(long planID)
{
    ExecuteProject("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                   "SELECT PlanID, 1, PlanName FROM ProductionPlan p WHERE NOT EXISTS "
                   "(SELECT 1 FROM \"ProductionPlan-To-Project\" l WHERE l.PlanID = p.PlanID)");
    auto dialog = std::make_unique<CProductionPlanDialog>(planID);
    dialog->OnInitDialog();
    return dialog;
}

QStringList PlanDialogFixture::Requirements(long planID) const
{
    QStringList rows;
    QSqlQuery query = app.fileSet().projectDatabase->Query(
        "SELECT StepOrProcess, StepOrProcessID, Quantity, QuantityUOM, ifnull(BatchTimeInterval, '-'), "
        "ifnull(BatchTimeIntervalUOM, '-'), ifnull(EarliestStartTime, '-'), FirstBatchOverlap, "
        "IntraCampaignBatchOverlap FROM PlanRequirements WHERE PlanID = ? ORDER BY RequirementID",
        {qlonglong(planID)});
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < 9; ++i)
            cells << query.value(i).toString();
        rows << cells.join(':');
    }
    return rows;
}

QList<long> PlanDialogFixture::SharedEquipment(long planID) const
{
    QList<long> ids;
    QSqlQuery query = app.fileSet().projectDatabase->Query(
        "SELECT EquipmentID FROM SharedExclusiveEquipment WHERE PlanID = ? ORDER BY RowKey", {qlonglong(planID)});
    while (query.next())
        ids << long(query.value(0).toLongLong());
    return ids;
}

void PlanDialogFixture::SetRow(CProductionPlanDialog& dialog, int row, const QString& cells)
{
    const QStringList texts = cells.split('|');
    for (int col = 1; col <= 8; ++col)
        dialog.Grid()->SetValueRowCol(row, col, texts.value(col - 1));
}

QStringList PlanDialogFixture::RowTexts(CProductionPlanDialog& dialog, int row)
{
    QStringList texts;
    for (int col = 1; col <= 9; ++col)
        texts << dialog.Grid()->GetValueRowCol(row, col);
    return texts;
}
