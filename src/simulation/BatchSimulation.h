#pragma once
// The batch run of one step on the frame's engine entry: the whole recipe, the current operation
// or a range of operation lines, and stepping on from a pause (to the next breakpoint, one
// operation, or stop and reset). It owns the run's progress dialog, which a paused run keeps
// hidden for stepping; the next run, a stop and reset or a reset of the step deletes it.
// It works on the frame's context record: the context kind and the step id and label.

#include "foundation/common/concerns/ContextRecord.h"

#include <QString>
#include <memory>

class CSimDialog;
class EngineEntry;

enum BatchRunMode { BATCH_WHOLE = 1, BATCH_CURRENT_OPERATION = 2, BATCH_RANGE = 3 };
enum BatchCaller { BATCH_CALLER_USER = 0, BATCH_CALLER_AUTOMATION = 3 };

class CBatchSimulation {
public:
    // The engine code of the last call: none when the engine did not run.
    static constexpr int ENGINE_CODE_NONE = -1;

    CBatchSimulation();
    virtual ~CBatchSimulation();
    CBatchSimulation(const CBatchSimulation&) = delete;
    CBatchSimulation& operator=(const CBatchSimulation&) = delete;

    // fromID and toID are TextRecipe [ID]s (modes 2 and 3). Caller 0 runs only in a context that
    // allows a batch run; any other caller is automation and is not checked.
    void SimulateBatch(int mode, long fromID, long toID, int caller);
    // "Simulate Entire Batch": asks which part to run, then runs it for the user.
    void OnSimulateBatchCommand();
    void SimulateToNextBreakpoint();
    void SimulateNextOperation();
    void StopAndResetSimulation();
    // The step starts again from its data ("ReadAndSimulate" for an empty mode); its recipe views
    // are laid out again and the progress dialog goes.
    void ResetSimulation(long stepID, const QString& mode);
    void DeleteProgressDialog();

    // Whether stepping is possible: an engine, and the context step's run is paused.
    static bool IsStepPaused(long stepID);
    // The context kinds a batch run accepts from the user interface.
    static bool AcceptsContext(const ContextRecord& context);

    int LastEngineCode() const { return m_engineCode; }
    CSimDialog* ProgressDialog() const { return m_dialog.get(); }

protected:
    // The progress dialog of a new run; tests replace it.
    virtual std::unique_ptr<CSimDialog> MakeProgressDialog();
    // Runs the options dialog; false when it was cancelled. Tests replace it.
    virtual bool AskBatchOptions(class CSimulationBatchOptionsDialog& dialog);

private:
    enum class StepHow { ToBreakpoint, NextOperation };

    bool RegenerateTransitions(long stepID, const QString& placeholder) const;
    void OpenProgressDialog(const ContextRecord& context);
    bool ConfirmedCancelBeforeRun();
    int RunEngine(EngineEntry& engine, int mode, long stepID, long fromID, long toID);
    void HandleRunCode(EngineEntry& engine, long stepID, int code);
    void HidePausedDialog();
    void AfterRun(long stepID, int code, long before, long after);
    void EndBatchRun(long stepID, int code);
    void StepOn(StepHow how);
    void ShowDialogForStepping();

    std::unique_ptr<CSimDialog> m_dialog;
    int m_engineCode = ENGINE_CODE_NONE;
};

// Brings the main window to the top unless it is hidden.
void RaiseMainWindow();
