#include "SimSequenceFixture.h"

#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QFile>
#include <QSqlQuery>

namespace {
class SizedEngine : public EngineEntry {
public:
    explicit SizedEngine(const QHash<long, double>& sizes) : m_sizes(sizes) {}
    double getCurrentBatchSizeInKg(long stepID) override { return m_sizes.value(stepID, 1e35); }

private:
    QHash<long, double> m_sizes;
};
} // namespace

EngineEntry* SizedEngineFactory::CreateEngineEntry()
{
    return new SizedEngine(sizes);
}

StepSpec SequenceStep(long id, int operations)
{
    StepSpec step;
    step.stepID = id;
    step.name = QStringLiteral("Step %1").arg(id);
    step.version = QStringLiteral("1.0");
    step.plantID = CProjectGenerator::PLANT_ID;
    RecipeLineSpec unit;
    unit.type = QStringLiteral("Unit Procedure");
    unit.name = QStringLiteral("Reactor");
    step.lines.append(unit);
    for (int i = 0; i < operations; ++i) {
        RecipeLineSpec line;
        line.type = QStringLiteral("Operation");
        line.operationTypeID = 1 + i % 5;
        step.lines.append(line);
    }
    return step;
}

PlanRequirementSpec StepRequirement(long stepID, double quantity, const QString& uom)
{
    return {QStringLiteral("step"), stepID, quantity, uom};
}

PlanRequirementSpec ProcessRequirement(long processID, double quantity, const QString& uom)
{
    return {QStringLiteral("process"), processID, quantity, uom};
}

SimSequenceFixture::SimSequenceFixture()
{
    installed.Install<EngineFactory>(&engines);
    m_previousBeep = SetOptionBeepHook([this] { ++beeps; });
}

SimSequenceFixture::~SimSequenceFixture()
{
    SetOptionBeepHook(m_previousBeep);
    CloseSharedEquipmentDB();
    CloseSharedMaterialsDB();
}

void SimSequenceFixture::Open(const QList<PlanRequirementSpec>& requirements, const QList<StepSpec>& extraSteps)
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Sequences");
    spec.plantName = QStringLiteral("Plant");
    spec.steps = {SequenceStep(SEQ_STEP_A, 3), SequenceStep(SEQ_STEP_B, 1), SequenceStep(SEQ_STEP_HIDDEN, 1)};
    spec.steps[0].keyInputID = 100; // A makes 101 of 100, B 102 of 101: B makes the final product
    spec.steps[0].keyOutputID = 101;
    spec.steps[1].keyInputID = 101;
    spec.steps[1].keyOutputID = 102;
    spec.steps += extraSteps;
    for (long id : {100, 101, 102})
        spec.materials.append({id, QStringLiteral("Material %1").arg(id), QStringLiteral("Liquid"), 1.0, {}});
    spec.processes = {{SEQ_PROCESS, QStringLiteral("Route"), QStringLiteral("1"), {}, 102, 100, {SEQ_STEP_A, SEQ_STEP_B}}};
    spec.plans = {{SEQ_PLAN, QStringLiteral("Plan/One"), 1e35, 1, requirements}};
    OpenProject(spec);
    app.stepDatabases().database(SEQ_STEP_HIDDEN)->Execute(
        QStringLiteral("UPDATE TextRecipe SET Hide = 1 WHERE Type = 'Operation'"));
}

void SimSequenceFixture::OpenProject(const ProjectSpec& spec)
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

QString SimSequenceFixture::SequencePath() const
{
    return UserSimSequenceFilePath(app.fileSet().workingCopyDir, QStringLiteral("Plan/One"), SEQ_PLAN);
}

QList<long> SimSequenceFixture::OperationIDs(long stepID) const
{
    QList<long> ids;
    QSqlQuery rows = app.stepDatabases().database(stepID)->Query(
        QStringLiteral("SELECT ID FROM TextRecipe WHERE Type = 'Operation' AND Hide = 0 ORDER BY RecipeSequenceNumber"));
    while (rows.next())
        ids.append(long(rows.value(0).toLongLong()));
    return ids;
}

long SimSequenceFixture::UnitProcedureID(long stepID) const
{
    QSqlQuery rows = app.stepDatabases().database(stepID)->Query(
        QStringLiteral("SELECT ID FROM TextRecipe WHERE Type = 'Unit Procedure' ORDER BY RecipeSequenceNumber"));
    return rows.next() ? long(rows.value(0).toLongLong()) : -1;
}

QString SimSequenceFixture::OperationText(long stepID, int index) const
{
    QSqlQuery rows = app.stepDatabases().database(stepID)->Query(
        QStringLiteral("SELECT Label || ' ' || OperationName FROM TextRecipe WHERE Type = 'Operation' AND Hide = 0 "
                       "ORDER BY RecipeSequenceNumber LIMIT 1 OFFSET ?"),
        {index});
    return rows.next() ? rows.value(0).toString() : QString();
}

QByteArray SimSequenceFixture::ReadSequenceFile() const
{
    QFile file(SequencePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void SimSequenceFixture::WriteSequenceFile(const QByteArray& content) const
{
    QFile file(SequencePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}
