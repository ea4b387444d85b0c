#pragma once
// What the shell and the subsystems ask of subsystems that are built one after another. Each
// concern has its own slot; a subsystem installs its implementation in the shell's composition
// file. Until one is installed the free functions below do nothing, and a question whose "yes"
// would claim work done answers no. Every member has that same fallback as its default body, so an
// implementation (and a test fake) overrides only what it serves.

#include "foundation/common/concerns/AutomationRecipeData.h"
#include "foundation/common/concerns/ContextRecord.h"

#include <QList>
#include <QString>

class EngineEntry;
class QWidget;

// The simulation engine's module: start-up, the engine object of the open project, shut-down.
class EngineHost {
public:
    virtual ~EngineHost() = default;
    virtual bool InitializeEngine() { return true; }     // false ends start-up
    virtual bool CreateProjectEngine() { return false; } // at hand-over; true when the project has one now
    virtual void DeleteProjectEngine() {}                // at close
    virtual void CleanUpUtilityArray() {}                // first step of the project close
    virtual void FreeModuleEntries() {}                  // shut-down
    // The open project's engine entry; null while no project is open. The host owns it.
    virtual EngineEntry* GetEngineEntry() const { return nullptr; }
};

// Engine entries of their own, one per call (batch sizes of a plan, process and plan runs).
class EngineFactory {
public:
    virtual ~EngineFactory() = default;
    // A fresh entry that the caller deletes; null without an engine module.
    virtual EngineEntry* CreateEngineEntry() { return nullptr; }
};

// The scripting object model of the open project.
class AutomationModel {
public:
    virtual ~AutomationModel() = default;
    virtual void BuildAutomationModel() {}
    virtual void DeleteAutomationModel() {}
    // After an edit of the recipe of that step (-1: of the whole project).
    virtual void RefreshAutomationModel(long /*stepID*/) {}
    // True while the object tree of the open project exists.
    virtual bool AutomationModelExists() const { return false; }
    // One unit procedure or operation of a step of that process takes the values read from the step
    // database; an object the tree does not hold is left alone.
    virtual void RefreshAutomationUnitProcedure(long /*processID*/, long /*stepID*/, long /*unitProcedureID*/,
                                                const AutomationUnitProcedureData& /*data*/)
    {
    }
    virtual void RefreshAutomationOperation(long /*processID*/, long /*stepID*/, long /*unitProcedureID*/,
                                            long /*operationID*/, const AutomationOperationData& /*data*/)
    {
    }
};

// The recipe text of operations, generated from their stored data.
class RecipeTextRegeneration {
public:
    virtual ~RecipeTextRegeneration() = default;
    virtual bool RegenerateStepRecipeText(long /*stepID*/) { return false; }
    virtual void UpdateRecipeTextOfAllSteps() {}
    // After an equipment item's tag changed: the texts of the operations of unit procedures on it.
    virtual void UpdateRecipeTextsNamingEquipment(long /*equipmentID*/) {}
};

// Imported materials and equipment brought in line with their libraries (last step of the open).
class LibrarySynchronisation {
public:
    virtual ~LibrarySynchronisation() = default;
    virtual void SynchroniseLibraries() {}
};

// The open text-recipe views of the frame.
class RecipeViewServices {
public:
    virtual ~RecipeViewServices() = default;
    virtual void RefreshRecipeViews() {} // display options re-read, every view redrawn
    virtual void ReloadRecipeViews(long /*stepID*/) {}
    virtual void RelayoutRecipeViews(long /*stepID*/) {} // laid out and repainted, not reloaded
    // The step's views keep their lines; their remark marks are read again, then laid out.
    virtual void RefreshRecipeText(long /*stepID*/) {}
    virtual void ReloadAllRecipeViews() {}
    virtual void ApplyInsertMode(bool /*insertAfter*/, bool /*insertBefore*/) {}
    // Every view of the step rebuilt from its rows, except the one given.
    virtual void RefreshStepRecipeViews(long /*stepID*/, QWidget* /*except*/) {}
    virtual void SelectRecipeLine(long /*stepID*/, int /*lineIndex*/) {}
    // The text of the step's line of that item and kind (1 unit procedure, 2 operation).
    virtual void UpdateRecipeLineText(long /*stepID*/, long /*itemID*/, int /*itemType*/, const QString& /*text*/) {}
    virtual void SetRecipeItemText(long /*stepID*/, long /*itemID*/, int /*itemType*/, const QString& /*text*/) {}
    // The step's lines of that item and kind (1, 2) read again: the texts a fresh load gives.
    virtual void ReloadRecipeLine(long /*stepID*/, long /*itemID*/, int /*itemType*/) {}
    // The same of many items of one kind, each view laid out once.
    virtual void ReloadRecipeLines(long stepID, const QList<long>& itemIDs, int itemType)
    {
        for (const long itemID : itemIDs)
            ReloadRecipeLine(stepID, itemID, itemType);
    }
    virtual bool IsRecipeWindowOpen(long /*stepID*/) const { return false; }
    // The step's open recipe window deletes the item of that kind (1 unit procedure, 2 operation)
    // as its own Delete does; false when no window did.
    virtual bool DeleteItemInRecipeView(long /*stepID*/, long /*itemID*/, int /*itemType*/) { return false; }
    virtual void CloseStepRecipeWindows(long /*processID*/, long /*stepID*/) {}
    // The step's windows are titled "Recipe: " + title.
    virtual void UpdateRecipeWindowTitle(long /*stepID*/, const QString& /*title*/) {}
};

// The node a rebuilt Process Explorer selects: a process, a step of a process, or a unit
// procedure or operation of a step.
enum class ExplorerLevel : int { Process = 2, Step = 3, UnitProcedure = 4, Operation = 5 };

// What a linked window is brought to, and who asks.
enum class LinkedItemType : int { UnitProcedure = 1, Operation = 2 };
enum class SyncSource : int { RecipeView = 1, ProcessExplorer = 2 };

// What the Process Explorer shows selected (ids -1 and labels empty where the selection does not
// reach; the labels are the node labels).
struct ProcessTreeSelection {
    QString processLabel;
    long processID = -1;
    QString stepLabel;
    long stepID = -1;
    long unitProcedureID = -1;
    long operationID = -1;
    bool processSelected = false;
    bool stepSelected = false;
};

// The Process Explorer pane.
class ProcessExplorerServices {
public:
    virtual ~ProcessExplorerServices() = default;
    virtual void RefreshKeepSelection() {}
    virtual void RefreshStep(long /*stepID*/) {}
    // A step of processID, or a unit procedure or operation of stepID.
    virtual void RebuildAndSelect(ExplorerLevel /*level*/, long /*itemID*/, long /*processID*/,
                                  long /*stepID*/)
    {
    }
    virtual void SelectProcessTreeItem(long /*stepID*/, long /*itemID*/, int /*itemType*/) {}
    virtual void SetOperationHiddenIcon(long /*stepID*/, long /*operationID*/, bool /*hidden*/) {}
    virtual void SetUnitProcedureText(long /*stepID*/, long /*unitProcedureID*/, const QString& /*text*/) {}
    // Where a new step goes for the selection: false when nothing is selected (outputs untouched).
    virtual bool GetSelectedProcessOrStep(int* /*placement*/, long* /*stepID*/, bool /*insertAfter*/)
    {
        return false;
    }
    virtual ProcessTreeSelection GetTreeSelection() { return {}; }
};

// Result windows (Quick Results, schedules, 3-D) and the simulation marks.
class ResultWindowServices {
public:
    virtual ~ResultWindowServices() = default;
    virtual void SyncLinkedWindows(long /*stepID*/, long /*itemID*/, LinkedItemType /*itemType*/,
                                   SyncSource /*source*/)
    {
    }
    virtual void ShowQuickResults(long /*stepID*/, long /*operationID*/) {}
    virtual void UpdateQuickResultsOperation(long /*stepID*/, long /*operationID*/) {}
    virtual void ResetStepSimulation(long /*stepID*/, const QString& /*mode*/) {} // -1: every step
    virtual bool ResultFilesExist(const ContextRecord& /*context*/) const { return false; }
};

// Which result messages the user chose to see.
class MessageVisibility {
public:
    virtual ~MessageVisibility() = default;
    virtual bool isMessageVisible(long /*messageID*/) const { return true; }
};

// Calls through the installed concerns.
bool InitializeEngine();    // ready without an engine module
bool CreateProjectEngine(); // no engine object without one
void DeleteProjectEngine();
void CleanUpUtilityArray();
void FreeModuleEntries();
EngineEntry* GetEngineEntry(); // null without an engine module or an open project
void BuildAutomationModel();
void DeleteAutomationModel();
void RefreshAutomationModel(long stepID);
bool AutomationModelExists(); // false without an automation model
bool RegenerateStepRecipeText(long stepID); // false: nothing regenerated
void UpdateRecipeTextOfAllSteps();
void UpdateRecipeTextsNamingEquipment(long equipmentID);
void SynchroniseLibraries();
void RefreshRecipeViews();
void ReloadRecipeViews(long stepID);
void RelayoutRecipeViews(long stepID);
void RefreshRecipeText(long stepID);
void ReloadAllRecipeViews();
void RefreshStepRecipeViews(long stepID, QWidget* except = nullptr);
void SelectRecipeLine(long stepID, int lineIndex);
void UpdateRecipeLineText(long stepID, long itemID, int itemType, const QString& text);
void SetRecipeItemText(long stepID, long itemID, int itemType, const QString& text);
void ReloadRecipeLine(long stepID, long itemID, int itemType);
void ReloadRecipeLines(long stepID, const QList<long>& itemIDs, int itemType);
bool IsRecipeWindowOpen(long stepID); // false without recipe views
void CloseStepRecipeWindows(long processID, long stepID);
void UpdateRecipeWindowTitle(long stepID, const QString& title);
void RefreshKeepSelection();
void RefreshStep(long stepID);
void RebuildAndSelect(ExplorerLevel level, long itemID, long processID, long stepID);
void SelectProcessTreeItem(long stepID, long itemID, int itemType);
void SetOperationHiddenIcon(long stepID, long operationID, bool hidden);
void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text);
bool GetSelectedProcessOrStep(int* placement, long* stepID, bool insertAfter); // false without a pane
ProcessTreeSelection GetTreeSelection();
void SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source);
void ShowQuickResults(long stepID, long operationID);
void UpdateQuickResultsOperation(long stepID, long operationID);
void ResetStepSimulation(long stepID, const QString& mode);
bool ResultFilesExist(const ContextRecord& context);
bool isMessageVisible(long messageID); // every message is visible without a filter
