#pragma once
// The batch run over the generated Demo project: the frame's concerns are recording fakes (context,
// document host with recipe and Quick Results windows, the auto-save timer), prompts are scripted
// and the engine is either the real stand-in or a scripted one.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"
#include "simulation/BatchSimulation.h"
#include "simulation/SimDialog.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>

constexpr long DEMO_COUPLING = 1001;

// An engine that answers queued codes and stopped numbers and records each call.
class ScriptedEngine : public EngineEntry {
public:
    void resetSimulation(long stepID, const QString& mode) override;
    int simulateBatch(ISimStatus* status, long stepID) override;
    int simulateBatch(ISimStatus* status, long stepID, long fromID, long toID) override;
    int continueBatch(ISimStatus* status, long stepID) override;
    int simulateNextOperation(ISimStatus* status, long stepID) override;
    long getSimulationStoppedRecipeSequenceNumber(long stepID) override;

    struct Answer {
        int code = SIMULATION_COMPLETED;
        long stoppedAfter = 0;
    };
    std::deque<Answer> answers;
    std::function<void(ISimStatus*)> duringRun; // what the run does with the status
    long stopped = 0;
    QStringList calls;            // "batch 1001", "range 1001 5 9", "continue 1001", "next 1001", "reset ..."
    QList<ISimStatus*> statuses;  // the status of each run

private:
    int run(ISimStatus* status, const QString& call);
};

// The frame as the driver sees it.
class BatchFrame : public SelectionService,
                   public DocumentHost,
                   public ProjectLifecycleServices,
                   public EngineHost {
public:
    const ContextRecord& CurrentContext() const override { return context; }
    void AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title) override;
    QWidget* FindDocument(DocumentKind kind, long id) const override;
    bool CloseDocument(DocumentKind kind, long id) override;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override;
    void StopAutoSaveTimer() override;
    void ArmAutoSaveTimer() override;
    EngineEntry* GetEngineEntry() const override { return engine; }

    ContextRecord context;
    EngineEntry* engine = nullptr;
    QMap<std::pair<int, long>, QWidget*> windows; // owned
    bool timerRunning = true;
    QStringList timerCalls;
};

class BatchSimulationFixture : public ::testing::Test {
protected:
    BatchSimulationFixture();
    ~BatchSimulationFixture() override;
    void OpenDemo();
    // The step's context in that window kind.
    void SetContext(int kind, long stepID = DEMO_COUPLING);
    void ExecuteStep(const QString& sql, const QVariantList& values = {}, long stepID = DEMO_COUPLING);
    // TextRecipe [ID] and sequence number of the step's visible operation lines in recipe order.
    QList<std::pair<long, long>> OperationLines(long stepID = DEMO_COUPLING);
    // Opens the step's recipe view (through the recipe windows), shown.
    class CQUORVANTAView& OpenRecipeView(long stepID = DEMO_COUPLING);
    bool ResultsExist(long stepID = DEMO_COUPLING) const;

    FakeAppContext app;
    ScriptedPromptService prompts;
    BatchFrame frame;
    ServiceInstallations installed;
    QString folder;
};
