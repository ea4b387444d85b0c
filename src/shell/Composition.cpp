// The one place where the shell and the subsystems are put together: what the frame and the
// application offer, then one line per subsystem for what it offers the rest. A concern nobody
// installs stays empty: its callers do nothing, and questions about work done answer no.

#include "shell/Composition.h"

#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/LanguageDatabaseService.h"
#include "foundation/common/concerns/LinkedWindows.h"
#include "foundation/common/concerns/PreferenceFrameServices.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/ServiceSlot.h"

#include "automation/AutomationModelBuilder.h"
#include "library/FacilityTree.h"
#include "library/LibrarySynchroniser.h"
#include "library/LibraryUpdateWidgets.h"
#include "modules/errmsg/ErrMsgVisibility.h"
#include "modules/qvmaterial/QVMaterialHandover.h"
#include "modules/ravelstock/RavelstockComponent.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "planning/PlanExplorerInstall.h"
#include "planning/PlanList.h"
#include "modules/sharedclasses/SharedClassesHandover.h"
#include "preferences/lists/OPDefaultsDialog.h"
#include "preferences/costs/CostFactorPreferenceDialog.h"
#include "preferences/units/ConvertUnitsCommand.h"
#include "preferences/hub/LanguageAndFavoriteEntries.h"
#include "projects/LanguagePreferenceDialog.h"
#include "modules/customreport/SqlCustomReportComponent.h"
#include "preferences/hub/Preference.h"
#include "preferences/emissions/PreferAirEmissionDialog.h"
#include "preferences/hub/PreferenceDialogEntries.h"
#include "preferences/shared/PreferenceHub.h"
#include "preferences/shared/PreferencesHandover.h"
#include "results/RunReport.h"
#include "results/ScheduleWindowPositions.h"
#include "preferences/units/UOMPreferencesDialog.h"
#include "projects/ProjectManager.h"
#include "projects/StepRegistration.h"
#include "preferences/options/ToolOptionDialog.h"
#include "recipe/explorer/ProcessExplorerInstall.h"
#include "recipe/explorer/ProcessTree.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "recipe/view/RecipeWindows.h"
#include "results/HtmlViewsView.h"
#include "shell/DocumentRegistry.h"
#include "simulation/EngineEntryFactory.h"
#include "shell/MainFrame.h"
#include "shell/ReportCommands.h"
#include "shell/InformationCommands.h"
#include "shell/QuorvantaApp.h"
#include "shell/bridge/ImplementedZEVKCallBack.h"
#include "shell/bridge/ManagedEquipmentEditor.h"
#include "shell/bridge/ManagedOperationDialog.h"
#include "shell/bridge/ManagedStreams.h"
#include "simulation/EngineModuleHost.h"
#include "simulation/SimSequenceDialogService.h"
#include "simulation/RecipeScaling.h"
#include "simulation/SimulationWindows.h"

void Compose(CQuorvantaApp& app, CMainFrame& frame, HelpService& help, ServiceInstallations& installed)
{
    // The shell.
    installed.Install<ProjectLifecycleServices>(&frame);
    installed.Install<ProgressServices>(&frame);
    installed.Install<SortServices>(&frame);
    installed.Install<PaneServices>(&frame);
    installed.Install<DocumentHost>(&frame);
    installed.Install<SelectionService>(&frame);
    installed.Install<DisplayOptionsService>(&frame);
    installed.Install<CommandDispatcher>(&frame);
    installed.Install<AutomationFrameServices>(&frame);
    installed.Install<LinkedWindowServices>(&frame);
    installed.Install<FrameNotifyReceiver>(&frame);
    installed.Install<HelpService>(&help);
    // Projects: the application forwards the project control to its project manager.
    installed.Install<ProjectControl>(&app);
    installed.Install<QvzFileLookup>(&app);
    installed.Install<StepDatabaseRegistration>(
        installed.Keep(std::make_unique<CStepRegistration>(app.projects().StepRegistry())));
    // Recipe: the Process Explorer in its dock slot; the text-recipe windows and their services.
    CProcessTree* explorer = InstallProcessExplorer(installed, [&frame](int id) { return frame.action(id); });
    frame.SetPaneWidget(PaneID::ProcessExplorer, explorer, [explorer] { explorer->RefreshKeepSelection(); });
    app.documents().Register({DocumentKindName(DocumentKind::ProjectRecipe), 0, InstallRecipeViews(installed), {}});
    // Results: HTML views of local pages; custom reports through the program's own component.
    app.documents().Register({DocumentKindName(DocumentKind::HtmlView), 131, CreateHtmlViewWindow, {}});
    // Results: the schedule windows of steps, processes and plans, kept with the project.
    app.documents().Register({DocumentKindName(DocumentKind::Gantt), 0, {}, CreateScheduleWindowOfKey});
    installed.Keep(std::make_unique<CScheduleWindowPositions>());
    installed.InstallUnlessSet<CustomReportComponentFactory>(
        installed.Keep(std::make_unique<SqlCustomReportComponentFactory>()));
    InstallReportCommands(app, frame);
    InstallInformationCommands(frame);
    // Recipe: the step panes, the operating-instructions module they ask, the Find box.
    installed.InstallUnlessSet<QVSOPEntry>(installed.Keep(std::make_unique<QVSOPEntry>()));
    frame.InstallStepPanes();
    // Recipe: the stored recipe text regenerated through the managed process-operation call.
    installed.InstallUnlessSet<RecipeTextRegeneration>(installed.Keep(std::make_unique<CRecipeTextRegenerator>()));
    // Recipe: the frame's recipe clipboard; the managed side's stream questions.
    installed.Install<RecipeClipboard>(&frame.recipeClipboard());
    installed.Install<CRecipeLineDrag>(&frame.recipeLineDrag());
    installed.InstallUnlessSet<StreamServices>(installed.Keep(std::make_unique<CManagedStreams>()));
    // Recipe: the managed operation editor, with the frame's last primary equipment.
    installed.InstallUnlessSet<OperationEditorService>(installed.Keep(std::make_unique<CManagedOperationDialog>(frame)));
    // Library: the Facility Explorer in its dock slot, filled at each project open.
    auto* facilities = new CFacilityTree;
    facilities->InitTree();
    frame.SetPaneWidget(PaneID::FacilityExplorer, facilities, [facilities] { facilities->RefreshTree(); });
    installed.Install<FacilityExplorerServices>(facilities);
    AddProjectHandover(facilities);
    installed.InstallUnlessSet<EquipmentEditorService>(
        installed.Keep(std::make_unique<CManagedEquipmentEditor>(frame)));
    // Library: imported materials and equipment synchronised at each open through the library
    // component; the material module's entry object, told of every close.
    installed.InstallUnlessSet<LibraryComponent>(installed.Keep(std::make_unique<CRavelstockComponent>()));
    installed.InstallUnlessSet<LibraryUpdateDialogs>(installed.Keep(std::make_unique<CLibraryUpdateWidgets>()));
    installed.InstallUnlessSet<LibrarySynchronisation>(installed.Keep(std::make_unique<CLibrarySynchroniser>()));
    installed.Keep(std::make_unique<CQVMaterialHandover>());
    // Shared classes: their singletons go with each project close.
    installed.Keep(std::make_unique<CSharedClassesHandover>());
    // Planning: the Plan Explorer in its dock slot, filled at each project open.
    CPlanList* plans = InstallPlanExplorer(installed, [&frame](int id) { return frame.action(id); });
    frame.SetPaneWidget(PaneID::PlanExplorer, plans, [plans] { plans->Refresh(); });
    // Simulation: the engine module and the open project's engine entry.
    installed.InstallUnlessSet<EngineHost>(installed.Keep(std::make_unique<CEngineModuleHost>()));
    installed.InstallUnlessSet<EngineFactory>(installed.Keep(std::make_unique<CEngineEntryFactory>()));
    // Simulation: Quick Results, result files and step resets through the frame's batch run.
    installed.InstallUnlessSet<ResultWindowServices>(
        installed.Keep(std::make_unique<CSimulationWindows>(frame.batchSimulation())));
    // Simulation: the plan's user-defined sequence dialog (Define Sequence).
    installed.InstallUnlessSet<SimSequenceDialogService>(installed.Keep(std::make_unique<CSimSequenceDialogService>()));
    // Simulation: recipe scaling of a step or a process (command 32855 and scripts).
    frame.SetRecipeScaling(installed.Keep(std::make_unique<CRecipeScaling>()));
    frame.SetCommandHandler(ID_RECIPE_SCALING,
                            [&frame] { frame.ScaleRecipe(SCALE_INTERACTIVE, 0, -1, 0.0, QString(), 0.0); });
    // Automation: the scripting object tree of the open project.
    installed.InstallUnlessSet<AutomationModel>(installed.Keep(std::make_unique<CAutomationModelBuilder>()));
    // Preferences: the Options sheet, the message filter and the recipe comment types at hand-over.
    installed.InstallUnlessSet<MessageVisibility>(installed.Keep(std::make_unique<CErrMsgVisibility>()));
    installed.Keep(std::make_unique<CPreferencesHandover>());
    frame.SetCommandHandler(ID_TOOLS_OPTIONS, RunToolOptions);
    // Preferences: the unit-of-measure sets behind the hub's button; Convert Units of the context step.
    PreferenceHub::setEntry(1048, RunUOMPreferences);
    frame.SetCommandHandler(ID_TOOLS_CONVERT_UNITS, OnConvertUnits);
    // Preferences: the hub behind command 32832 and its notify message; the frame serves the
    // requests of its operating-instructions and equipment-diagram buttons.
    installed.Install<PreferenceFrameServices>(&frame);
    frame.SetPreferenceHub(RunPreferenceHub);
    InstallLibraryPreferenceEntries();
    InstallOperationDefaultsEntry();
    InstallCostFactorPreferences();
    InstallAirEmissionPreferenceEntry();
    frame.SetCommandHandler(ID_TOOLS_PREFERENCES, [&frame] { frame.OnPreferences(); });
    frame.SetNotifyHandler(FrameNotifyMessage::Preferences,
                           [](qintptr, qintptr) { DispatchCommand(ID_TOOLS_PREFERENCES); });
    // Preferences: the recipe language (hub entry 1375 and its notify message) on the project
    // manager's language database; the favourite-operation menus.
    installed.Install<LanguageDatabaseService>(&app.projects().LanguageTemplate());
    InstallLanguagePreferenceEntry();
    frame.SetNotifyHandler(FrameNotifyMessage::LanguageChanged, [&frame](qintptr text, qintptr length) {
        OnLanguageMessage(LanguageMessageText(text, length), &frame);
    });
    frame.SetCommandHandler(ID_TOOLS_FAVORITE_OPERATIONS, [&frame] { RunCustomizeFavoriteOperations(&frame); });
}
