#include "PlanExplorerFixture.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QListWidget>
#include <QSqlQuery>

ProjectSpec PlanExplorerProject()
{
    ProjectSpec spec = PlanProject({PlanStep(2001, 500, 501, 20.0), PlanStep(2002, 501, 502, 50.0)},
                                   {{1, "Two", "1", {}, 502, 500, {2001, 2002}}});
    PlanRequirementSpec process{"process", 1, 100.0, "kg"};
    PlanRequirementSpec batches{"step", 2002, 2.0, "batches"};
    batches.batchTimeInterval = 1e35;
    spec.plans = {{PLAN_WEEKLY, "Weekly", 46000.0, 1, {process}},
                  {PLAN_SPARE, "Spare", 46000.0, 1, {}},
                  {PLAN_BATCHES, "Batches", 46000.0, 1, {batches}}};
    return spec;
}

void PlanExplorerFixture::SetUp()
{
    Open(PlanExplorerProject());
    Chain(1, {2001, 2002});
    installed.Install<SelectionService>(&fakes);
    installed.Install<ProjectControl>(&fakes);
    installed.Install<HelpService>(&fakes);
    installed.Install<DesktopOpener>(&fakes);
    pane = std::make_unique<CPlanList>();
    installed.Install<PlanExplorerServices>(pane.get());
}

void PlanExplorerFixture::TearDown()
{
    pane.reset();
}

QStringList PlanExplorerFixture::ListTexts() const
{
    QStringList texts;
    for (int row = 0; row < pane->list()->count(); ++row)
        texts << pane->list()->item(row)->text();
    return texts;
}

QString PlanExplorerFixture::SelectedText() const
{
    long id = -1;
    QString name;
    return pane->GetSelectedPlan(id, name) ? name : QString();
}

void PlanExplorerFixture::Select(const QString& name)
{
    const QList<QListWidgetItem*> found = pane->list()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    pane->list()->setCurrentItem(found.first());
}

void PlanExplorerFixture::AddOperationLine(long stepID)
{
    GetStepDatabase(stepID)->Execute("INSERT INTO TextRecipe (ID, RecipeSequenceNumber, StepID, Type) "
                                     "VALUES (77, 9, ?, 'operation')",
                                     {qlonglong(stepID)});
}

long PlanExplorerFixture::PlanCount() const
{
    return long(ProjectValue("SELECT count(*) FROM ProductionPlan").toLongLong());
}

QStringList PlanExplorerFixture::PlanRowCounts(long planID) const
{
    QStringList counts;
    for (const char* table : {"ProductionPlan", "ProductionPlan-To-Project", "PlanRequirements",
                              "SharedExclusiveEquipment", "ProductionPlanDetail", "PlanSummary"})
        counts << QString("%1:%2").arg(table).arg(
            ProjectValue(QString("SELECT count(*) FROM \"%1\" WHERE PlanID = ?").arg(table), {qlonglong(planID)})
                .toLongLong());
    return counts;
}
