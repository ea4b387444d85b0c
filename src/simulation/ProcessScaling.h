#pragma once
// Scaling of a whole process to an amount of its final product: the plan requirement calculator
// says how much each step must make; each step is scaled by that over its batch size (its
// ScaleFactor and stored quantities in one transaction), simulated, and its scaled lines
// regenerated; then the process is simulated. A run that ends part way leaves the steps handled so
// far scaled, their lines regenerated and the project marked modified.

#include <QString>
#include <functional>
#include <memory>

class CProcessScaleUpDialog;
class CSimDialog;
class EngineEntry;
class PlanRequirementCalculator;
struct ProcessScaleUpSizesKg;

class CProcessScaling {
public:
    using ProgressFactory = std::function<std::unique_ptr<CSimDialog>()>;
    using DialogRunner = std::function<int(CProcessScaleUpDialog&)>;

    CProcessScaling(ProgressFactory makeProgress, DialogRunner runDialog);

    // The process branch of recipe scaling: the sizes, the dialog and the chosen target. A final
    // (or first) step the engine has no size for is named before the dialog, to be simulated.
    void ScaleRecipe(long processID);
    // Scales the process to make amount (in unit) of its final product per batch.
    void ScaleProcess(long processID, double amount, const QString& unit);
    // Scales the process to consume amount (in unit) of its key raw material per batch.
    void ScaleProcessToKeyRawMaterial(long processID, double amount, const QString& unit);

    // Why a run ended early (empty after a complete run or a Cancel), for scripts and tests.
    const QString& LastMessage() const { return m_lastMessage; }

private:
    enum class StepOutcome { Next, Stop };

    bool ReadSizes(long processID, ProcessScaleUpSizesKg* sizes);
    bool IsSized(const PlanRequirementCalculator& calculator, double kg);
    void ScaleToChoice(long processID, const CProcessScaleUpDialog& dialog);
    std::unique_ptr<CSimDialog> OpenProgress();
    bool ScaleSteps(PlanRequirementCalculator& calculator, EngineEntry& engine);
    StepOutcome ScaleStep(PlanRequirementCalculator& calculator, int index, EngineEntry& engine,
                          double& carried);
    bool StepFactor(PlanRequirementCalculator& calculator, int index, double carried, double* factor);
    bool WriteStepScaling(long stepID, double factor, EngineEntry& engine);
    StepOutcome SimulateScaledStep(CSimDialog& progress, EngineEntry& engine, long stepID,
                                   const QString& label);
    void Tell(const QString& text, unsigned flags);

    ProgressFactory m_makeProgress;
    DialogRunner m_runDialog;
    bool m_stepChanged = false;
    QString m_lastMessage;
};
