#pragma once
// Recipe scaling of the context step: the target from the step dialog (interactive) or from a
// script's arguments (automation), one engine scaling on an engine object of its own, then the
// step's unit-of-measure conversion, the scaled operations' recipe lines, the views and the result
// windows. A run that ends before the engine scaled puts back what the dialog stored.

#include "foundation/common/concerns/ContextRecord.h"

#include <QString>
#include <memory>

class CProcessScaleUpDialog;
class CScaleUpDialog;
class CSimDialog;
class EngineEntry;
struct ScaleUpSizesKg;

enum ScaleRecipeMode { SCALE_INTERACTIVE = 0, SCALE_AUTOMATION = 4 };

struct ScaleRecipeRequest {
    int mode = SCALE_INTERACTIVE;
    int target = 0;
    long equipmentID = -1;
    double value = 0.0;
    QString unit;
    double factor = 0.0;
};

// How a run ended, for a script: scaled, refused (a target or argument the run does not take), or
// failed with the texts the user would have seen.
struct ScaleRecipeOutcome {
    bool scaled = false;
    bool refused = false;
    QString text;
};

class CRecipeScaling {
public:
    virtual ~CRecipeScaling() = default;

    // Mode 0 reads the context and shows the dialog; mode 4 scales the context step by the request.
    ScaleRecipeOutcome ScaleRecipe(const ContextRecord& context, const ScaleRecipeRequest& request);
    // False for automation arguments the run refuses (checked before anything is reset).
    static bool AcceptsAutomationRequest(const ScaleRecipeRequest& request);
    // Regenerates the recipe lines of the operations the engine scaled; false after its message.
    static bool UpdateScaledOperationsText(EngineEntry& engine, long stepID);
    // The recipe line of one operation row: its text (or label and " ..."), then ranges and comments.
    static QString ComposeLineText(const QString& recipeText, const QString& label, const QString& rangeText,
                                   const QString& comments);

protected:
    // Tests script these.
    virtual int RunStepDialog(CScaleUpDialog& dialog);
    virtual std::unique_ptr<CSimDialog> MakeProgressDialog();
    virtual int RunProcessDialog(CProcessScaleUpDialog& dialog);
    // The process branch: the process dialog and the scale-up of every step.
    virtual void ScaleProcess(long processID);

private:
    static bool RunsInContext(const ContextRecord& context);
    ScaleRecipeOutcome ScaleStep(long stepID, long processID, const ScaleRecipeRequest& request);
    int CallEngine(EngineEntry& engine, CSimDialog& progress, long stepID, const ScaleRecipeRequest& request,
                   const CScaleUpDialog& dialog);
    bool ConvertUnits(long stepID, long uomSetID);
    void AfterScaling(EngineEntry& engine, CSimDialog& progress, long stepID, bool converted);
};
