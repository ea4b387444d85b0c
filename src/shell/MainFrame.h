#pragma once
// The main window: tabbed document area, the six docking panes, menus and toolbars keyed by
// command id, the status bar, the auto-save timer and the hand-over of an opened project.
// The frame's services of later features live in small objects the frame owns (as the auto-save
// timer does); a frame member a feature names only forwards to its object.

#include "automation/AutomationLifetime.h"
#include "foundation/common/PaneID.h"
#include "foundation/common/concerns/AutomationFrameServices.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/LinkedWindows.h"
#include "foundation/common/concerns/PreferenceFrameServices.h"
#include "foundation/common/concerns/SelectionService.h"
#include "recipe/view/RecipeClipboard.h"
#include "recipe/view/RecipeLineDrag.h"
#include "shell/AutoSaveTimer.h"
#include "shell/DockPanes.h"
#include "shell/EnvironmentMngr.h"
#include "shell/FrameCommandRules.h"
#include "shell/bridge/ManagedSide.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class CDisabledEntryTips;
class CommandTarget;
class MCStatusBar;
class QAction;
class QActionGroup;
class QDockWidget;
class QMdiArea;
class QMenu;
class QToolBar;

class CDocumentRegistry;
class CBatchSimulation;
class CDesignRun;
class CProcessPlanSimulation;
class CRecipeScaling;
struct ScaleRecipeOutcome;

class CWizardEndDialog;
class CStepListPane;
class CConditionalLogicView;
class CStandardStatementView;
class CFindDialog;
class CAutomationModelBuilder;
class CQuorvantaAut;
class CQVOperation;
class CQVOptions;
class CQVProcess;
class CQVProcesses;
class CQVProductionPlans;
class CQVStep;
class CQVUnitProcedure;

class CMainFrame : public QMainWindow,
                   public ProjectLifecycleServices,
                   public ProgressServices,
                   public SortServices,
                   public PaneServices,
                   public DocumentHost,
                   public SelectionService,
                   public DisplayOptionsService,
                   public CommandDispatcher,
                   public AutomationFrameServices,
                   public LinkedWindowServices,
                   public PreferenceFrameServices,
                   public FrameNotifyReceiver {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Reads the display options and the ambient pressure at the start of the hand-over.
    std::function<void()> m_readDisplayOptions;
    DisplayOptions m_displayOptions;
    // The window factories of the document kinds (owned by the application).
    void SetDocumentRegistry(const CDocumentRegistry* registry) { m_documentRegistry = registry; }

    // Commands.
    QAction* action(int commandID) const { return m_actions.value(commandID); }
    QMenu* menu(const QString& path) const { return m_menus.value(path); }
    void SetCommandHandler(int commandID, std::function<void()> handler);
    bool HasCommandHandler(int commandID) const { return m_handlers.contains(commandID); }
    bool IsCommandEnabled(int commandID);
    // The enabling pass: every action from one snapshot of what the rules read.
    void UpdateCommandStates();
    FrameCommandState CommandStateSnapshot() const;
    void ExecuteCommand(int commandID); // the dispatcher, for the active pane or view
    // CommandDispatcher: the one way any command runs (busy check, run, state refresh). An error
    // escaping the command is shown as "<command>: <error text>" (a scripting call fails with it).
    bool DispatchCommand(const CommandRequest& request) override;
    // The command's menu text without its mnemonic, ellipsis and key ("Command <id>" without one).
    QString CommandLabel(int commandID) const;
    void SetRecentFiles(const QStringList& paths);
    // The "Recent Custom Reports" entries: listed each time their menu opens; an entry reruns.
    void SetRecentCustomReports(std::function<QStringList()> list, std::function<void(const QString&)> rerun);
    // The HTML view's menu entries and toolbar (360) show exactly while one is the active window.
    void ShowHtmlViewCommands(bool show);

    // Insert After (32992) / Insert Before (32993).
    bool m_bInsertAfter = true;
    bool m_bInsertBefore = false;
    void SetInsertMode(bool insertAfter);

    // Context record and selection.
    ContextRecord& context() { return m_context; }
    const ContextRecord& RefreshContext();
    long GetSelectedStepID() const { return m_selectedStepID; }
    long GetSelectedProcessID() const { return m_selectedProcessID; }
    void SetSelectedStepID(long stepID) { m_selectedStepID = stepID; }
    void SetSelectedProcessID(long processID) { m_selectedProcessID = processID; }
    // The step panes follow the current step (MainFrameStepPanes.cpp).
    void SetCurrentStep(long stepID) override;
    long GetCurrentStep() const override { return m_currentStepID; }
    bool HasEngine() const { return m_bHasEngine; }
    // The step's run starts again from its data ("ReadAndSimulate" for an empty mode); its recipe
    // views are laid out again.
    void ResetSimulation(long stepID, const QString& mode);
    // The batch run of the context step and stepping on from its pause (the frame owns the run
    // and its progress dialog).
    CBatchSimulation& batchSimulation() { return *m_batchSimulation; }
    void SimulateBatch(int mode, long fromID, long toID, int caller);
    void SimulateToNextBreakpoint();
    void SimulateNextOperation();
    void StopAndResetSimulation();
    // "Design...": the design run of the context step.
    void DesignStep();
    CDesignRun& designRun() { return *m_designRun; }
    // The run of the context process or plan: 0 by the context kind, 1 the process, 2 the plan.
    CProcessPlanSimulation& processPlanSimulation() { return *m_processPlanSimulation; }
    void SimulateProcessOrPlan(int mode);
    // "Run": the process of a selected process node, the plan of a plan context, else the step.
    void RunByContext();
    // Recipe scaling of the current context (mode 0, the dialogs) or of the context step for a
    // script (mode 4, the target and its arguments); the run is the composition's.
    void SetRecipeScaling(CRecipeScaling* scaling) { m_recipeScaling = scaling; }
    ScaleRecipeOutcome ScaleRecipe(int mode, int target, long equipmentID, double value, const QString& unit,
                                   double factor);
    void NotifyStepModified(long stepID);
    bool IsProjectOpen() const;

    // Panes.
    QDockWidget* pane(PaneID id) const { return m_panes[int(id)]; }
    void SetPaneWidget(PaneID id, QWidget* widget, std::function<void()> refresh = {});
    void RefreshStepPanes() override;
    void RefreshAllPanes();
    // Scheduling Constraints and Standard Statements in their dock slots; the operation editor's
    // notification; the Find command.
    void InstallStepPanes();
    CConditionalLogicView* ConditionalLogicView() const;
    CStandardStatementView* StandardStatementView() const;
    // At a project's close: no current step, both step panes cleared, shown or not.
    void ClearStepPanes();
    // The modeless Find box, made on first use; hidden, never destroyed, until the frame goes.
    void ShowFindDialog();
    void HideFindDialog();
    CFindDialog* FindDialog() const { return m_findDialog; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    MCStatusBar* GetStatusBar() const { return m_statusBar; }
    CAutoSaveTimer& autoSaveTimer() { return m_autoSave; }
    void SetAutoSaveMinutes(int minutes) { m_autoSave.SetMinutes(minutes); }

    // Notifications from sibling modules and the managed side (WM_USER + 100 .. + 131).
    void SetNotifyHandler(FrameNotifyMessage message, std::function<void(qintptr, qintptr)> handler);
    bool OnFrameNotify(int message, qintptr wParam = 0, qintptr lParam = 0) override;

    // Preferences (MainFramePreferences.cpp): the hub runs through its entry, which answers
    // whether rounding rules were saved; command 32832 and the notify message share one handler.
    void SetPreferenceHub(std::function<bool(QWidget*)> hub) { m_preferenceHub = std::move(hub); }
    void OnPreferences();
    void EditOperatingInstructionPreferences() override;
    void ShowEquipmentDiagramPreferences() override;
    CEnvironmentMngr& environmentManager() { return m_environmentMngr; }

    // Project hand-over and close.
    bool CloseProject(); // the close of the File menu, with its save question
    void RegisterTemporaryFolder(const QString& folder) override { m_temporaryFolders << folder; }
    QStringList TemporaryFolders() const { return m_temporaryFolders; }
    QString ProjectDescription() const { return m_projectDescription; }
    void HideProjectInfoDialog();
    // The modeless Project Information window, filled from the open project (made on first use).
    void ShowProjectInfoDialog();
    CWizardEndDialog* ProjectInfoDialog() const { return m_projectInfo; }

    // Managed side, with the open project's names and places.
    ZEVKProjectNamesLocations ProjectNamesLocations() const;
    bool DotNetInvokeDataEquipment(long facilityID, long equipmentID);
    // The operation editor with the last primary equipment: the new recipe text, or nothing.
    std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments);
    void SetLastPrimaryEquipmentID(long equipmentID) { m_lastPrimaryEquipmentID = equipmentID; }
    long GetLastPrimaryEquipmentID() const { return m_lastPrimaryEquipmentID; }
    void DotNetNotifyStreamUpdate(long stepID);
    QList<CStreamReference> DotNetStreamUsedInOtherOperation(long stepID, long operationID);
    void DotNetNotifyPreferencesUpdate();
    void DotNetNotifyOptionsUpdate();
    void DotNetNotifyCommentsTypeUpdate();
    void DotNetInvokeUpdateLanguage(const QString& language);
    void DotNetInvokeResetStepWiseCache();
    // Regenerates and stores one operation's recipe text through the bridge's process-operation call.
    bool ProcessOperation(long stepID, long operationID);
    void DotNetInvokeSetEquipmentManagerToReload();
    bool DotNetInvokeGetDisplayValue(QString& out, const QString& listName, const QString& key);
    QStringList DotNetInvokeGetDisplayVector(const QString& listName);
    bool DotNetInvokeGetKeyValue(QString& out, const QString& listName, const QString& displayText);
    void WaitForUpdateDatabase();

    // ProjectLifecycleServices
    void OnProjectOpened(bool newProject) override;
    void OnProjectClosed() override;
    void CloseAllViews() override;
    void SaveWindowPositions() override;
    void SaveChemistryDocuments() override;
    void SetProjectTitle(const QString& title) override;
    void StopAutoSaveTimer() override { m_autoSave.Stop(); }
    void ArmAutoSaveTimer() override { m_autoSave.Arm(); }
    int GetAutoSaveInterval() const override { return m_autoSave.Minutes(); }
    void SetAutoSaveInterval(int minutes) override;
    void RefreshAmbientPressure() override;
    void SetProjectDescription(const QString& text) override { m_projectDescription = text; }
    bool MaterialLookupFailed() const override { return m_bMatParamsLookupFailed; }
    // The recipe lines last copied, shared by every recipe window.
    RecipeClipboard& recipeClipboard() { return m_recipeClipboard; }
    // The drag of recipe lines in progress and its source window (m_pDragSourceView).
    CRecipeLineDrag& recipeLineDrag() { return m_recipeLineDrag; }
    bool DeleteItemInRecipeView(long stepID, long itemID, int kind);
    // ProgressServices
    void BeginProgress(short lower, short upper, const QString& text) override;
    void SetProgressPos(int position) override;
    void SetProgressStep(int step) override;
    void StepProgress() override;
    void EndProgress() override;
    void ShowRunOutcome(const QString& text) override;
    // SortServices
    void SortComboBoxItems(QComboBox* combo) override;
    void SortListBoxItems(QListWidget* list) override;
    void SortTexts(QStringList& texts) override;
    QStringList GetDisplayVector(const QString& listName) override;
    bool GetDisplayValue(const QString& listName, const QString& key, QString& out) override;
    bool GetKeyValue(const QString& listName, const QString& displayText, QString& out) override;
    // DocumentHost
    QWidget* OpenDocument(DocumentKind kind, long id, const QString& title) override;
    void AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title) override;
    QWidget* FindDocument(DocumentKind kind, long id) const override;
    bool ActivateDocument(DocumentKind kind, long id) override;
    bool CloseDocument(DocumentKind kind, long id) override;
    QList<HostedDocument> ListDocuments(DocumentKind kind) const override;
    // LinkedWindowServices
    void CloseStepLinkedWindows(long stepID) override;
    void CloseProcessLinkedWindows(long processID) override;
    // SelectionService
    void ReportActive(CommandTarget* source, const ContextRecord& selection) override;
    void ReportSelection(CommandTarget* source, const ContextRecord& selection) override;
    void ForgetSource(CommandTarget* source) override;
    const ContextRecord& CurrentContext() const override { return m_context; }
    // DisplayOptionsService
    const DisplayOptions& GetDisplayOptions() const override { return m_displayOptions; }
    void SetDisplayOptions(const DisplayOptions& options) override { m_displayOptions = options; }
    void DisplayOptionsChanged() override;
    void NotifyOptionsUpdate() override { DotNetNotifyOptionsUpdate(); }
    void NotifyCommentsTypeUpdate() override { DotNetNotifyCommentsTypeUpdate(); }
    void NotifyLanguageUpdate(const QString& language) override { DotNetInvokeUpdateLanguage(language); }

    // Scripting (MainFrameAutomation.cpp): the object tree, forwarded to its builder, and the
    // frame's services for scripts.
    void BuildAutomationModel();
    void DeleteAutomationModel();
    std::shared_ptr<CQVProcess> FindAutomationProcess(long processID);
    std::shared_ptr<CQVStep> FindAutomationStep(const CQVProcess* process, long stepID);
    std::shared_ptr<CQVUnitProcedure> FindAutomationUnitProcedure(const CQVStep* step, long unitProcedureID);
    std::shared_ptr<CQVOperation> FindAutomationOperation(const CQVUnitProcedure* unitProcedure, long operationID);
    std::shared_ptr<CQuorvantaAut> GetAutomationApplication() const;
    std::shared_ptr<CQVProcesses> GetAutomationProcesses() const;
    std::shared_ptr<CQVProductionPlans> GetAutomationProductionPlans() const;
    std::shared_ptr<CQVOptions> GetAutomationOptions() const { return nullptr; }
    CAutomationLifetime& automationLifetime() { return m_automationLifetime; }
    static bool AutomationTreeExists();
    // AutomationFrameServices
    bool GetApplicationVisible() const override;
    void SetApplicationVisible(bool show) override;
    void SetUserControl(bool userControl) override { m_automationLifetime.SetUserControl(userControl); }
    void QueueQuit() override;
    void ReportProgress(long percent) override { SetProgressPos(int(percent)); }
    AutomationRunOutcome AutomationSimulateStep(long stepID, const QString& name) override;
    AutomationRunOutcome AutomationSimulateProcess(long processID, const QString& name) override;
    AutomationRunOutcome AutomationSimulatePlan(long planID, const QString& name) override;
    AutomationRunOutcome AutomationScaleRecipe(long stepID, const QString& name, long target, long option,
                                               double value, const QString& unit, double value2) override;
    AutomationRunOutcome AutomationExcelReport(const QString& kind, int reportCode, long id) override;
    AutomationRunOutcome AutomationShowGanttChart(const QString& kind, const QString& name, long id) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A file dropped on the window is opened as a project.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void wireAutoSave();
    void createPanes();
    void createMenus();
    void createToolBar();
    void addCommand(const struct CommandInfo& info);
    void addOperationMenus(const QString& parentPath);
    void addRecentFileEntries(const QString& menuPath);
    void fillRecentCustomReports(QMenu* menu);
    QMenu* menuFor(const QString& path);
    void installFrameHandlers();
    void installSimulationHandlers();
    // The plan runs of the Plan Explorer's commands, which give it the focus back afterwards.
    void runPlanCommand(void (CProcessPlanSimulation::*run)());
    CommandTarget* activeTarget() const;
    void updateAction(int commandID, QAction* action, CommandTarget* target, const FrameCommandState& state);
    bool frameRuleAllows(int commandID, const FrameCommandState& state) const;
    bool runCommand(const CommandRequest& request);
    void installDefaultNotifyHandlers();
    void handOverToSubsystems();
    class QMdiSubWindow* findSubWindow(DocumentKind kind, long id) const;
    void closeResultWindows(const QString& kind, long id); // "QVSTEP", "QVPROC"
    void readDisplayOptions();
    void followRecipeWindow(class QMdiSubWindow* sub);
    void removeTemporaryFolders();

    QMdiArea* m_mdiArea = nullptr;
    MCStatusBar* m_statusBar = nullptr;
    CDisabledEntryTips* m_disabledEntryTips = nullptr;
    QToolBar* m_toolBar = nullptr;
    std::array<QDockWidget*, PANE_COUNT> m_panes{};
    std::array<std::function<void()>, PANE_COUNT> m_paneRefresh{};
    std::array<bool, PANE_COUNT> m_paneShown{}; // as each dock last reported (behind a tab: hidden)
    QHash<int, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<int, std::function<void()>> m_handlers;
    QHash<int, std::function<void(qintptr, qintptr)>> m_notifyHandlers;
    QActionGroup* m_insertGroup = nullptr;
    QList<QAction*> m_recentFileActions;
    QStringList m_recentFiles;
    std::function<QStringList()> m_recentCustomReports;
    std::function<void(const QString&)> m_rerunCustomReport;
    QList<QAction*> m_htmlViewActions;
    QToolBar* m_htmlViewToolBar = nullptr;

    CAutoSaveTimer m_autoSave;
    std::unique_ptr<CBatchSimulation> m_batchSimulation;
    std::unique_ptr<CDesignRun> m_designRun;
    std::unique_ptr<CProcessPlanSimulation> m_processPlanSimulation;
    CRecipeScaling* m_recipeScaling = nullptr;
    ContextRecord m_context;
    CommandTarget* m_activeSource = nullptr; // the pane or view that reported itself active last
    const CDocumentRegistry* m_documentRegistry = nullptr;
    long m_selectedStepID = -1;
    long m_selectedProcessID = -1;
    long m_currentStepID = -1;
    bool m_bHasEngine = false;
    bool m_bMatParamsLookupFailed = false;
    bool m_hasShown = false; // the window has been on screen at least once
    long m_lastPrimaryEquipmentID = -1; // preselected by the operation editor
    RecipeClipboard m_recipeClipboard;
    CRecipeLineDrag m_recipeLineDrag;
    QStringList m_temporaryFolders;
    QString m_projectDescription;
    CWizardEndDialog* m_projectInfo = nullptr; // a child of the frame
    std::array<QPointer<CStepListPane>, 2> m_stepPanes{}; // constraints, statements; in their docks
    CFindDialog* m_findDialog = nullptr;         // a child of the frame
    CAutomationLifetime m_automationLifetime;
    std::function<bool(QWidget*)> m_preferenceHub;
    CEnvironmentMngr m_environmentMngr;
};
