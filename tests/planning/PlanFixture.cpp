#include "PlanFixture.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSet>
#include <QSqlQuery>

StepSpec PlanStep(long id, long in, long out, double batchSize)
{
    StepSpec step;
    step.stepID = id;
    step.name = QStringLiteral("Step %1").arg(id);
    step.version = QStringLiteral("1.0");
    step.plantID = CProjectGenerator::PLANT_ID;
    step.keyInputID = in;
    step.keyOutputID = out;
    step.batchSize = batchSize;
    step.batchSizeUOM = QStringLiteral("kg");
    step.batchSizeMW = 1.0;
    return step;
}

ProjectSpec PlanProject(const QList<StepSpec>& steps, const QList<ProcessSpec>& processes)
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Plans");
    spec.plantName = QStringLiteral("Plan Works");
    spec.steps = steps;
    spec.processes = processes;
    if (processes.isEmpty()) { // a step requirement lists only steps of a process
        ProcessSpec all{9, QStringLiteral("All"), QStringLiteral("1"), {}, steps.last().keyOutputID, -1, {}};
        for (const StepSpec& step : steps)
            all.stepIDs.append(step.stepID);
        spec.processes = {all};
    }
    QSet<long> ids;
    for (const StepSpec& step : steps)
        ids.unite({step.keyInputID, step.keyOutputID, step.input2ID, step.input3ID, step.output2ID, step.output3ID});
    for (long id : std::as_const(ids)) {
        if (id > 0)
            spec.materials.append({id, QStringLiteral("Material %1").arg(id), QStringLiteral("Liquid"), 1.0, {}});
    }
    return spec;
}

PlanFixture::~PlanFixture()
{
    CloseSharedEquipmentDB();
}

void PlanFixture::Open(const ProjectSpec& spec)
{
    folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
    files.workingCopyDir = app.root() + "instance/";
    files.equipmentDBPath = folder + spec.name + ".eqm";
    files.materialsDBPath = folder + spec.name + ".mtl";
    files.projectDatabase = std::make_unique<CDaoDatabase>();
    files.projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    CloseSharedEquipmentDB();
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

void PlanFixture::Link(long processID, long from, long to, const QString& type)
{
    ExecuteProject("INSERT INTO StepTransition (StepTransitionID, FromStepID, ToStepID, ProcessID, TransitionType) "
                   "VALUES (printf('%08X', (SELECT count(*) + 1 FROM StepTransition)), ?, ?, ?, ?)",
                   {qlonglong(from), qlonglong(to), qlonglong(processID), type});
}

void PlanFixture::Chain(long processID, const QList<long>& stepIDs)
{
    long from = 1; // START
    for (long step : stepIDs) {
        Link(processID, from, step);
        from = step;
    }
}

QVariant PlanFixture::ProjectValue(const QString& sql, const QVariantList& values) const
{
    QSqlQuery query = app.fileSet().projectDatabase->Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

void PlanFixture::ExecuteProject(const QString& sql, const QVariantList& values)
{
    app.fileSet().projectDatabase->Execute(sql, values);
}

QStringList PlanFixture::DetailRows(long planID) const
{
    QStringList rows;
    QSqlQuery query = app.fileSet().projectDatabase->Query(
        "SELECT StepID, Overlap, BatchTimeInterval IS NULL FROM ProductionPlanDetail WHERE PlanID = ? "
        "ORDER BY LineItemID",
        {qlonglong(planID)});
    while (query.next())
        rows << QStringLiteral("%1:%2:%3").arg(query.value(0).toString(), query.value(1).toString(),
                                                QString(query.value(2).toInt() ? "F" : "-"));
    return rows;
}

QStringList PlanFixture::SummaryRows(long planID) const
{
    QStringList rows;
    QSqlQuery query = app.fileSet().projectDatabase->Query(
        "SELECT StepID, NumberOfBatches FROM PlanSummary WHERE PlanID = ? ORDER BY RowKey", {qlonglong(planID)});
    while (query.next())
        rows << query.value(0).toString() + "=" + query.value(1).toString();
    return rows;
}
