#pragma once
// Random user edits of a recipe window and the stand-ins that answer what they ask: each edit is
// drawn from a seed as numbers that pick its line and choices only when it runs, so that any
// sequence (also one with edits dropped) can be replayed on any recipe.

#include "RecipeInsertFixture.h"

#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/common/concerns/SelectionService.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"
#include "simulation/EngineEntryFactory.h"
#include "simulation/RecipeScaling.h"

#include <map>
#include <utility>

enum class EditKind {
    InsertOperation,
    InsertUnitProcedure,
    InsertFavourite,
    InsertKeyword,
    Delete,
    Cut,
    Copy,
    Paste,
    Drag,
    Indent,
    Move,
    Hide,
    Breakpoint,
    StartAfter,
    ParallelDelay,
    EditLine,
    Scale,
    UndoScaling,
};

struct RecipeEdit {
    EditKind kind;
    quint32 line;   // the line it selects, modulo the line count
    quint32 choice; // its other choices, bit by bit
};

QList<RecipeEdit> RandomEdits(quint32 seed, int count);
QString Describe(const RecipeEdit& edit);

// The edits of each kind run, and those among them that changed the step.
class EditTally {
public:
    void Add(EditKind kind, bool changed);
    int Attempted() const;
    int Effective() const;
    // "insert operation 12/20, ..." (changed the step / run), in the kinds' order.
    QString Report() const;
    // The kinds meant to change the step (all but Copy) that never did.
    QStringList NeverEffective() const;

private:
    std::map<EditKind, std::pair<int, int>> m_byKind; // run, changed
};

// Every prompt answered: Yes or OK, No when told.
class AnsweringPrompts : public PromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString&) override;
    bool sayNo = false;
    QStringList texts;

private:
    ScopedPromptService m_installed{this};
};

// Start-After and parallel-delay dialogs: a part of the candidates chosen, or cancelled.
class ChoosingConstraintDialogs : public ConstraintDialogService {
public:
    std::optional<QList<ConstraintChoice>> AskConstraints(const QString&,
                                                          const QList<ConstraintChoice>& candidates,
                                                          const QList<ConstraintChoice>&,
                                                          const QStringList&) override;
    quint32 choice = 0;
    int asked = 0; // the dialogs shown
};

// The operation editor's OK: new texts and a field value written in one transaction.
class WritingOperationEditor : public OperationEditorService {
public:
    std::optional<QString> InvokeOperationEditor(long stepID, long operationID, QString* comments) override;
    void SetLastPrimaryEquipmentID(long equipmentID) override { m_equipment = equipmentID; }
    long GetLastPrimaryEquipmentID() const override { return m_equipment; }
    int edits = 0;

private:
    long m_equipment = -1;
};

// The context the active window reports, as the frame keeps it for its run commands.
class ActiveContext : public SelectionService {
public:
    void ReportActive(CommandTarget* source, const ContextRecord& selection) override;
    void ReportSelection(CommandTarget* source, const ContextRecord& selection) override;
    void ForgetSource(CommandTarget* source) override;
    const ContextRecord& CurrentContext() const override { return m_context; }

private:
    CommandTarget* m_source = nullptr;
    ContextRecord m_context;
};

// Recipe Scaling with the step dialog answered by its buttons: twice the current batch size (one
// offered operation kept unscaled when told), or Undo Previous Scaling; Cancel when the button is
// disabled or OK is refused.
class AnsweringScaling : public CRecipeScaling {
public:
    bool undo = false;
    quint32 choice = 0;
    int dialogs = 0; // the dialogs shown
    int scaled = 0;  // the runs that scaled or undid

protected:
    int RunStepDialog(CScaleUpDialog& dialog) override;
};

class RecipeEditDriver {
protected:
    RecipeEditDriver(ServiceInstallations& installed, ScriptedOperationDialogs& dialogs);
    // A favourites list of two operations as the second list.
    void UseFavourites(const QString& folder);
    void Apply(CQUORVANTAView& view, const RecipeEdit& edit);

    RecipeClipboard clipboard;
    CRecipeLineDrag drag;
    AnsweringPrompts answers;
    ChoosingConstraintDialogs constraints;
    WritingOperationEditor editor;
    ActiveContext context;
    CEngineEntryFactory engines;
    AnsweringScaling scaling;

private:
    void Select(CQUORVANTAView& view, const RecipeEdit& edit);
    void Command(CQUORVANTAView& view, int commandID);
    void DragLine(CQUORVANTAView& view, const RecipeEdit& edit);
    void SetInsertAfter(CQUORVANTAView& view, bool after);
    // Recipe Scaling as the frame runs it for the active window's context.
    void Scale(bool undo, quint32 choice);

    ScriptedOperationDialogs& m_dialogs;
    int m_names = 0;
    ServiceInstallations m_installed; // gone before the services above
};
