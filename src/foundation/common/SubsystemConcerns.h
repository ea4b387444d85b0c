#pragma once
// What the shell and the subsystems ask of subsystems that are built one after another. Each
// concern has its own slot; a subsystem installs its implementation in the shell's composition
// file. Until one is installed the free functions below do nothing, and a question whose "yes"
// would claim work done answers no.

#include "foundation/common/ContextRecord.h"

#include <QString>

// The simulation engine's module: start-up, the engine object of the open project, shut-down.
class EngineHost {
public:
    virtual ~EngineHost() = default;
    virtual bool InitializeEngine() = 0;    // false ends start-up
    virtual bool CreateProjectEngine() = 0; // at hand-over; true when the project has an engine now
    virtual void DeleteProjectEngine() = 0; // at close
    virtual void CleanUpUtilityArray() = 0; // first step of the project close
    virtual void FreeModuleEntries() = 0;   // shut-down
};

// The scripting object model of the open project.
class AutomationModel {
public:
    virtual ~AutomationModel() = default;
    virtual void BuildAutomationModel() = 0;
    virtual void DeleteAutomationModel() = 0;
    // After an edit of the recipe of that step (-1: of the whole project).
    virtual void RefreshAutomationModel(long stepID) = 0;
};

// The recipe text of operations, generated from their stored data.
class RecipeTextRegeneration {
public:
    virtual ~RecipeTextRegeneration() = default;
    virtual bool RegenerateStepRecipeText(long stepID) = 0;
    virtual void UpdateRecipeTextOfAllSteps() = 0;
};

// Imported materials and equipment brought in line with their libraries (last step of the open).
class LibrarySynchronisation {
public:
    virtual ~LibrarySynchronisation() = default;
    virtual void SynchroniseLibraries() = 0;
};

// The open text-recipe views of the frame.
class RecipeViewServices {
public:
    virtual ~RecipeViewServices() = default;
    virtual void RefreshRecipeViews() = 0; // display options re-read, every view redrawn
    virtual void ReloadRecipeViews(long stepID) = 0;
    virtual void ReloadAllRecipeViews() = 0;
    virtual void ApplyInsertMode(bool insertAfter, bool insertBefore) = 0;
};

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
    virtual void RefreshKeepSelection() = 0;
    virtual void RefreshStep(long stepID) = 0;
    // level 2 a process, 3 a step of processID, 4 or 5 a unit procedure or operation of stepID.
    virtual void RebuildAndSelect(int level, long itemID, long processID, long stepID) = 0;
    virtual void SelectProcessTreeItem(long stepID, long itemID, int itemType) = 0;
    virtual void SetOperationHiddenIcon(long stepID, long operationID, bool hidden) = 0;
    virtual void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text) = 0;
    // Where a new step goes for the selection: false when nothing is selected (outputs untouched).
    virtual bool GetSelectedProcessOrStep(int* placement, long* stepID, bool insertAfter) = 0;
    virtual ProcessTreeSelection GetTreeSelection() = 0;
};

// Result windows (Quick Results, schedules, 3-D) and the simulation marks.
class ResultWindowServices {
public:
    virtual ~ResultWindowServices() = default;
    virtual void SyncLinkedWindows(long stepID, long itemID, int itemType, int source) = 0;
    virtual void ShowQuickResults(long stepID, long operationID) = 0;
    virtual void UpdateQuickResultsOperation(long stepID, long operationID) = 0;
    virtual void ResetStepSimulation(long stepID, const QString& mode) = 0; // -1: every step
    virtual bool ResultFilesExist(const ContextRecord& context) const = 0;
};

// Which result messages the user chose to see.
class MessageVisibility {
public:
    virtual ~MessageVisibility() = default;
    virtual bool isMessageVisible(long messageID) const = 0;
};

// Calls through the installed concerns.
bool InitializeEngine();    // ready without an engine module
bool CreateProjectEngine(); // no engine object without one
void DeleteProjectEngine();
void CleanUpUtilityArray();
void FreeModuleEntries();
void BuildAutomationModel();
void DeleteAutomationModel();
void RefreshAutomationModel(long stepID);
bool RegenerateStepRecipeText(long stepID); // false: nothing regenerated
void UpdateRecipeTextOfAllSteps();
void SynchroniseLibraries();
void RefreshRecipeViews();
void ReloadRecipeViews(long stepID);
void ReloadAllRecipeViews();
void RefreshKeepSelection();
void RefreshStep(long stepID);
void RebuildAndSelect(int level, long itemID, long processID, long stepID);
void SelectProcessTreeItem(long stepID, long itemID, int itemType);
void SetOperationHiddenIcon(long stepID, long operationID, bool hidden);
void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text);
bool GetSelectedProcessOrStep(int* placement, long* stepID, bool insertAfter); // false without a pane
ProcessTreeSelection GetTreeSelection();
void SyncLinkedWindows(long stepID, long itemID, int itemType, int source);
void ResetStepSimulation(long stepID, const QString& mode);
bool ResultFilesExist(const ContextRecord& context);
bool isMessageVisible(long messageID); // every message is visible without a filter
