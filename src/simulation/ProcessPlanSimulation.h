#pragma once
// The run of a whole process or production plan on an engine entry of its own, with the run
// options of the project. A process run can first simulate each of its steps as a batch on the
// frame's engine; a plan run first runs the plan's requirement calculation in the Plan Explorer and
// can follow the plan's user-defined simulation sequence. The three choices are flags that the
// commands set for the length of one call. The main window stays disabled, the auto-save timer held
// off and every other command refused while the run lasts.

#include <QString>
#include <memory>

class CBatchSimulation;
class CSimDialog;
class EngineEntry;
struct ContextRecord;

enum ProcessPlanMode { RUN_BY_CONTEXT = 0, RUN_CONTEXT_PROCESS = 1, RUN_CONTEXT_PLAN = 2 };

class CProcessPlanSimulation {
public:
    // The outcome while no run has answered: the call ended before the engine ran.
    static constexpr int OUTCOME_NONE = -1;

    explicit CProcessPlanSimulation(CBatchSimulation& batchSimulation);
    virtual ~CProcessPlanSimulation();
    CProcessPlanSimulation(const CProcessPlanSimulation&) = delete;
    CProcessPlanSimulation& operator=(const CProcessPlanSimulation&) = delete;

    void SimulateProcessOrPlan(int mode);
    // The commands: each runs mode 0 with its flag set for the call.
    void SimulateProcess() { SimulateProcessOrPlan(RUN_BY_CONTEXT); }
    void SimulateBatchesAndProcess();
    void SimulatePlan() { SimulateProcessOrPlan(RUN_BY_CONTEXT); }
    void SimulateBatchesAndPlan();
    void SimulateUserSequencePlan();

    // The process or plan run's code, else a batch's 1 or 2, a confirmed cancel's 2, or none.
    int LastOutcome() const { return m_outcome; }
    bool UserSequenceFlag() const { return m_userSequence; }
    bool BatchesAndPlanFlag() const { return m_batchesAndPlan; }
    bool BatchesAndProcessFlag() const { return m_batchesAndProcess; }

    // The context kinds and ids that a run by context (mode 0) accepts.
    static bool RunsProcess(const ContextRecord& context);
    static bool RunsPlan(const ContextRecord& context);

protected:
    // The progress dialogs of a run; tests replace them.
    virtual std::unique_ptr<CSimDialog> MakeProgressDialog();

private:
    class FlagScope;
    struct Run;

    bool Prepare(Run& run);
    bool RunRequirementCalculation(const Run& run);
    void RegenerateProcessTransitions(long processID) const;
    void OpenProgressDialog(Run& run);
    bool ConfirmedCancel(CSimDialog& dialog);
    bool CreateRunEngine(Run& run);
    int SimulateProcessRun(Run& run);
    bool SimulateBatchesFirst(Run& run);
    bool SimulateOneBatch(Run& run, long stepID, QString& label);

    CBatchSimulation& m_batchSimulation;
    int m_outcome = OUTCOME_NONE;
    bool m_userSequence = false;
    bool m_batchesAndPlan = false;
    bool m_batchesAndProcess = false;
};
