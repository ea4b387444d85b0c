#include "DesignFixture.h"

#include "foundation/controls/CollationSort.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/material/MaterialCommonSet.h"

#include <QSqlQuery>

void DesignEngine::setDesignOptions(int results, int overFlow, int underFlow, int iterations)
{
    calls << QString("options %1 %2 %3 %4").arg(results).arg(overFlow).arg(underFlow).arg(iterations);
}

int DesignEngine::designStep(ISimStatus* status, long stepID, double amount, const QString& amountUOM,
                             double horizon, const QString& horizonUOM, const Array<long>& fixed)
{
    QStringList ids;
    for (long i = 0; i < fixed.GetSize(); ++i)
        ids << QString::number(fixed[i]);
    calls << QString("design %1 %2 %3 %4 %5 [%6]")
                 .arg(stepID)
                 .arg(amount)
                 .arg(amountUOM)
                 .arg(horizon)
                 .arg(horizonUOM, ids.join(' '));
    if (duringDesign)
        duringDesign(status);
    return designCode;
}

namespace {
// Hands its calls to the factory when the caller deletes it.
class HandedDesignEngine : public DesignEngine {
public:
    explicit HandedDesignEngine(DesignEngineFactory& factory) : m_factory(factory) {}
    ~HandedDesignEngine() override
    {
        m_factory.calls << calls;
        m_factory.created.removeAll(this);
    }

private:
    DesignEngineFactory& m_factory;
};
} // namespace

EngineEntry* DesignEngineFactory::CreateEngineEntry()
{
    auto* engine = new HandedDesignEngine(*this);
    engine->batchKg = script.batchKg;
    engine->cycleSeconds = script.cycleSeconds;
    engine->maxKg = script.maxKg;
    engine->equipment = script.equipment;
    engine->duringDesign = script.duringDesign;
    engine->designCode = script.designCode;
    created << engine;
    return engine;
}

DesignFixture::DesignFixture()
{
    installed.Install<SelectionService>(this);
    installed.Install<SortServices>(this);
    installed.Install<HelpService>(this);
}

DesignFixture::~DesignFixture()
{
    CMaterialCommonSet::Destroy();
    CloseSharedEquipmentDB();
}

void DesignFixture::OpenDemo()
{
    const ProjectSpec spec = CProjectGenerator::DemoProject();
    folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    ProjectFileSet& files = app.fileSet();
    files.projectDir = folder;
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
    context.kind = CONTEXT_TEXT_RECIPE;
    context.stepID = DESIGN_STEP;
    context.processID = DESIGN_PROCESS;
}

void DesignFixture::ExecuteStep(const QString& sql, const QVariantList& values)
{
    GetStepDatabase(DESIGN_STEP)->Execute(sql, values);
}

QVariant DesignFixture::StepValue(const QString& sql)
{
    QSqlQuery query = GetStepDatabase(DESIGN_STEP)->Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

void DesignFixture::SortComboBoxItems(QComboBox* combo)
{
    ++sorts;
    CollationSortComboBox(combo);
}
