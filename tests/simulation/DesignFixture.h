#pragma once
// The design dialog and run over the generated Demo project: a scripted engine for the batch
// results and the design call, scripted prompts, recorded help topics and the collation sorts.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"

#include <QStringList>
#include <functional>

constexpr long DESIGN_STEP = 1001; // Coupling, on of the Demo
constexpr long DESIGN_PROCESS = 1;

// Batch results as set; records the design options and the design call.
class DesignEngine : public EngineEntry {
public:
    double getCurrentBatchSizeInKg(long) override { return batchKg; }
    double getCycleTime(long) override { return cycleSeconds; }
    double getMaxBatchSizeInKg(long) override { return maxKg; }
    Array<long> getEquipmentIDS(long) override { return equipment; }
    void setDesignOptions(int results, int overFlow, int underFlow, int iterations) override;
    int designStep(ISimStatus* status, long stepID, double amount, const QString& amountUOM, double horizon,
                   const QString& horizonUOM, const Array<long>& fixed) override;

    double batchKg = 1200, cycleSeconds = 7200, maxKg = 3000;
    Array<long> equipment{101, 102};
    std::function<void(ISimStatus*)> duringDesign;
    int designCode = SIMULATION_COMPLETED; // what designStep answers
    QStringList calls; // "options 1 1 1 5", "design 1001 5000 kg 30 day [101]"
};

// Hands out one DesignEngine per call, kept for the test to read.
class DesignEngineFactory : public EngineFactory {
public:
    EngineEntry* CreateEngineEntry() override;
    DesignEngine script;          // copied into each engine handed out
    QList<DesignEngine*> created; // alive until their caller deletes them
    QStringList calls;            // of every engine handed out, gathered when it goes
};

class DesignFixture : public ::testing::Test,
                      public SelectionService,
                      public SortServices,
                      public HelpService {
protected:
    DesignFixture();
    ~DesignFixture() override;
    void OpenDemo();
    void ExecuteStep(const QString& sql, const QVariantList& values = {});
    QVariant StepValue(const QString& sql);

    const ContextRecord& CurrentContext() const override { return context; }
    void SortComboBoxItems(QComboBox* combo) override;
    void DisplayHelp(const QString& file, long topic) override
    {
        help << QString("%1 %2").arg(file).arg(topic);
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    ServiceInstallations installed;
    ContextRecord context;
    QStringList help;
    int sorts = 0;
    QString folder;
};
