#include "foundation/common/concerns/SubsystemConcerns.h"

#include "foundation/common/ServiceSlot.h"

namespace {
// Runs call on the installed concern; answers fallback without one.
template <typename Concern, typename Result, typename Call> Result ask(Result fallback, Call call)
{
    Concern* concern = ServiceSlot<Concern>::Get();
    return concern ? call(*concern) : fallback;
}

template <typename Concern, typename Call> void tell(Call call)
{
    if (Concern* concern = ServiceSlot<Concern>::Get())
        call(*concern);
}
} // namespace

bool InitializeEngine()
{
    return ask<EngineHost>(true, [](EngineHost& e) { return e.InitializeEngine(); });
}
bool CreateProjectEngine()
{
    return ask<EngineHost>(false, [](EngineHost& e) { return e.CreateProjectEngine(); });
}
void DeleteProjectEngine()
{
    tell<EngineHost>([](EngineHost& e) { e.DeleteProjectEngine(); });
}
void CleanUpUtilityArray()
{
    tell<EngineHost>([](EngineHost& e) { e.CleanUpUtilityArray(); });
}
void FreeModuleEntries()
{
    tell<EngineHost>([](EngineHost& e) { e.FreeModuleEntries(); });
}

EngineEntry* GetEngineEntry()
{
    return ask<EngineHost>(static_cast<EngineEntry*>(nullptr),
                           [](EngineHost& e) { return e.GetEngineEntry(); });
}

void BuildAutomationModel()
{
    tell<AutomationModel>([](AutomationModel& m) { m.BuildAutomationModel(); });
}
void DeleteAutomationModel()
{
    tell<AutomationModel>([](AutomationModel& m) { m.DeleteAutomationModel(); });
}
void RefreshAutomationModel(long stepID)
{
    tell<AutomationModel>([=](AutomationModel& m) { m.RefreshAutomationModel(stepID); });
}
bool AutomationModelExists()
{
    return ask<AutomationModel>(false, [](AutomationModel& m) { return m.AutomationModelExists(); });
}

bool RegenerateStepRecipeText(long stepID)
{
    return ask<RecipeTextRegeneration>(
        false, [=](RecipeTextRegeneration& r) { return r.RegenerateStepRecipeText(stepID); });
}
void UpdateRecipeTextOfAllSteps()
{
    tell<RecipeTextRegeneration>([](RecipeTextRegeneration& r) { r.UpdateRecipeTextOfAllSteps(); });
}
void UpdateRecipeTextsNamingEquipment(long equipmentID)
{
    tell<RecipeTextRegeneration>([=](RecipeTextRegeneration& r) { r.UpdateRecipeTextsNamingEquipment(equipmentID); });
}

void SynchroniseLibraries()
{
    tell<LibrarySynchronisation>([](LibrarySynchronisation& l) { l.SynchroniseLibraries(); });
}

void RefreshRecipeViews()
{
    tell<RecipeViewServices>([](RecipeViewServices& v) { v.RefreshRecipeViews(); });
}
void RelayoutRecipeViews(long stepID)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.RelayoutRecipeViews(stepID); });
}
void RefreshRecipeText(long stepID)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.RefreshRecipeText(stepID); });
}
void ReloadRecipeViews(long stepID)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.ReloadRecipeViews(stepID); });
}
void ReloadAllRecipeViews()
{
    tell<RecipeViewServices>([](RecipeViewServices& v) { v.ReloadAllRecipeViews(); });
}
void RefreshStepRecipeViews(long stepID, QWidget* except)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.RefreshStepRecipeViews(stepID, except); });
}
void SelectRecipeLine(long stepID, int lineIndex)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.SelectRecipeLine(stepID, lineIndex); });
}
void UpdateRecipeLineText(long stepID, long itemID, int itemType, const QString& text)
{
    tell<RecipeViewServices>([&](RecipeViewServices& v) { v.UpdateRecipeLineText(stepID, itemID, itemType, text); });
}
void SetRecipeItemText(long stepID, long itemID, int itemType, const QString& text)
{
    tell<RecipeViewServices>([&](RecipeViewServices& v) { v.SetRecipeItemText(stepID, itemID, itemType, text); });
}
void ReloadRecipeLine(long stepID, long itemID, int itemType)
{
    tell<RecipeViewServices>([&](RecipeViewServices& v) { v.ReloadRecipeLine(stepID, itemID, itemType); });
}
void ReloadRecipeLines(long stepID, const QList<long>& itemIDs, int itemType)
{
    tell<RecipeViewServices>([&](RecipeViewServices& v) { v.ReloadRecipeLines(stepID, itemIDs, itemType); });
}
bool IsRecipeWindowOpen(long stepID)
{
    return ask<RecipeViewServices>(false, [=](RecipeViewServices& v) { return v.IsRecipeWindowOpen(stepID); });
}
void CloseStepRecipeWindows(long processID, long stepID)
{
    tell<RecipeViewServices>([=](RecipeViewServices& v) { v.CloseStepRecipeWindows(processID, stepID); });
}
void UpdateRecipeWindowTitle(long stepID, const QString& title)
{
    tell<RecipeViewServices>([&](RecipeViewServices& v) { v.UpdateRecipeWindowTitle(stepID, title); });
}

void RefreshKeepSelection()
{
    tell<ProcessExplorerServices>([](ProcessExplorerServices& p) { p.RefreshKeepSelection(); });
}
void RefreshStep(long stepID)
{
    tell<ProcessExplorerServices>([=](ProcessExplorerServices& p) { p.RefreshStep(stepID); });
}
void RebuildAndSelect(ExplorerLevel level, long itemID, long processID, long stepID)
{
    tell<ProcessExplorerServices>(
        [=](ProcessExplorerServices& p) { p.RebuildAndSelect(level, itemID, processID, stepID); });
}
void SelectProcessTreeItem(long stepID, long itemID, int itemType)
{
    tell<ProcessExplorerServices>(
        [=](ProcessExplorerServices& p) { p.SelectProcessTreeItem(stepID, itemID, itemType); });
}
void SetOperationHiddenIcon(long stepID, long operationID, bool hidden)
{
    tell<ProcessExplorerServices>(
        [=](ProcessExplorerServices& p) { p.SetOperationHiddenIcon(stepID, operationID, hidden); });
}
void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text)
{
    tell<ProcessExplorerServices>(
        [&](ProcessExplorerServices& p) { p.SetUnitProcedureText(stepID, unitProcedureID, text); });
}
bool GetSelectedProcessOrStep(int* placement, long* stepID, bool insertAfter)
{
    return ask<ProcessExplorerServices>(false, [=](ProcessExplorerServices& p) {
        return p.GetSelectedProcessOrStep(placement, stepID, insertAfter);
    });
}
ProcessTreeSelection GetTreeSelection()
{
    return ask<ProcessExplorerServices>(ProcessTreeSelection(),
                                        [](ProcessExplorerServices& p) { return p.GetTreeSelection(); });
}

void SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source)
{
    tell<ResultWindowServices>(
        [=](ResultWindowServices& r) { r.SyncLinkedWindows(stepID, itemID, itemType, source); });
}
void ShowQuickResults(long stepID, long operationID)
{
    tell<ResultWindowServices>([=](ResultWindowServices& r) { r.ShowQuickResults(stepID, operationID); });
}
void UpdateQuickResultsOperation(long stepID, long operationID)
{
    tell<ResultWindowServices>(
        [=](ResultWindowServices& r) { r.UpdateQuickResultsOperation(stepID, operationID); });
}
void ResetStepSimulation(long stepID, const QString& mode)
{
    tell<ResultWindowServices>([&](ResultWindowServices& r) { r.ResetStepSimulation(stepID, mode); });
}
bool ResultFilesExist(const ContextRecord& context)
{
    return ask<ResultWindowServices>(false,
                                     [&](ResultWindowServices& r) { return r.ResultFilesExist(context); });
}

bool isMessageVisible(long messageID)
{
    return ask<MessageVisibility>(true, [=](MessageVisibility& m) { return m.isMessageVisible(messageID); });
}
