#pragma once
// The application object: start-up and shut-down in their fixed order, the profile, the
// per-user settings file, the recent-file lists, the path provider, the document kinds and the
// main frame. It is the AppContext the rest of the program reaches the open project through.

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/UserSettingsService.h"
#include "shell/CommandLineInfo.h"
#include "shell/DocumentRegistry.h"
#include "shell/RecentFileList.h"
#include "shell/bridge/ImplementedZEVKCallBack.h"
#include "shell/UserSettingsFile.h"

#include <QMap>

#include <functional>
#include <memory>
#include <vector>

class CAutomationBus;
class CDialogFitter;
class CPlainTextLabels;
class CSignalHandler;
class CMainFrame;
class CManagedProcessOperation;
class CProjectManager;
class EngineEntry;
class CQVFileLocations;
class QMenu;
class QSettings;
class QSplashScreen;
class QTemporaryDir;

class CQuorvantaApp : public AppContext, public UserSettingsService, public ProjectControl, public QvzFileLookup {
public:
    // Receives the name of each start-up and shut-down step as it runs.
    using StepRecorder = std::function<void(const QString& step)>;

    CQuorvantaApp();
    ~CQuorvantaApp() override;
    CQuorvantaApp(const CQuorvantaApp&) = delete;
    CQuorvantaApp& operator=(const CQuorvantaApp&) = delete;

    void SetStepRecorder(StepRecorder recorder) { m_recorder = std::move(recorder); }

    bool InitInstance(const QStringList& arguments);
    int ExitInstance();
    // The event loop with termination signals and the session's end served (QuorvantaAppSignals.cpp).
    int RunEventLoop();
    // A termination signal also waits while a script's call is being served.
    static void WaitForScriptCalls(CSignalHandler& terminations);
    // A termination signal, served from the main loop before it ends with 0: an unmodified (or
    // untitled) project closes unasked; a modified one keeps its working copies and marker for
    // recovery, flushed to disk, and the exit asks nothing.
    void LeaveProjectOnSignal();
    // The desktop session ends: the working copies are flushed to disk; nothing is asked.
    void CommitSessionData();

    // AppContext
    const ProjectFileSet& fileSet() const override { return m_fileSet; }
    const StepDatabaseRegistry& stepDatabases() const override { return m_stepDatabases; }
    PathProvider* paths() override;
    QSettings* profile() override { return m_profile.get(); }
    void AddToRecentFileList(const QString& path) override;
    void RemoveFromRecentFileList(const QString& path) override;
    QStringList recentFileSlots() const override;
    // "Recent Custom Reports": a definition that ran moves to the top; every slot, empty ones "".
    void AddToRecentCustomReports(const QString& path);
    QStringList recentCustomReportSlots() const;
    void setProjectID(long projectID) override;
    bool isProjectModified() const override { return m_projectModified; }
    void setProjectModified(bool modified) override { m_projectModified = modified; }
    double ambientPressure() const override { return m_ambientPressure; }
    void setAmbientPressure(double internalValue) override { m_ambientPressure = internalValue; }

    CMainFrame* mainFrame() const { return m_frame.get(); }
    CQVFileLocations* fileLocations() const { return m_fileLocations.get(); }
    CUserSettingsFile& userSettings() { return m_userSettings; }
    CRecentFileList& recentFileList(int index) { return m_recentLists.at(index); }
    CRecentFileList& recentFiles() { return m_recentLists.at(RECENT_FILE_LIST); }
    QMenu* contextMenu(const QString& name) const { return m_contextMenus.value(name); }
    QStringList contextMenuNames() const { return m_contextMenus.keys(); }
    const CDocumentRegistry& documents() const { return m_documents; }
    CDocumentRegistry& documents() { return m_documents; }
    // Every open schedule (Gantt) and 3-D window of the frame, in tab order.
    QList<QWidget*> GetChartDocuments() const;
    const CCommandLineInfo& commandLine() const { return m_commandLine; }
    bool IsSplashShown() const;

    // The projects subsystem and its members under their own names (QuorvantaAppProject.cpp).
    CProjectManager& projects() { return *m_projects; }
    // Opens that file in mode 2 (recent files, the command line, a file dropped on the window).
    bool OpenGivenProjectFile(const QString& path);
    bool SaveProject(const QString& newName, bool fromPackage);
    bool SaveProjectAs();
    bool SaveProjectAsTemplate();
    void ExportProfile();
    void ImportProfile();
    void LoadDefaultProfile();
    void SetEngine(EngineEntry* engine);
    // Every operation change goes to the frame's engine entry, whoever lent one.
    void OperationModified(long stepID, long operationID, bool flag);

    // QvzFileLookup: one library out of a package, for the managed library editors.
    bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                               QString& result) override;

    // ProjectControl
    bool IsProjectOpen() const override;
    bool OpenProjectByPath(const QString& path) override { return OpenGivenProjectFile(path); }
    bool CloseProject(SaveAnswer answer) override;
    bool SaveOpenProject() override { return SaveProject(QString(), false); }

    // UserSettingsService
    bool SaveUserSettingsFileAs(const QString& path) override { return m_userSettings.SaveAs(path); }
    bool LoadUserSettingsFile(const QString& path) override { return m_userSettings.Load(path); }

    enum RecentListIndex { RECENT_CUSTOM_REPORTS = 0, RECENT_FILE_LIST = 1, RECENT_MATERIAL_DATABASES = 2 };

private:
    void record(const QString& step) const;
    // Start-up steps, in order.
    void RaiseOpenFileLimit();
    bool ClaimAutomationBus();
    bool InitializeOle();
    void SetRegistryKey();
    void LoadUserSettings();
    void CreateRecentFileLists();
    void RegisterUserInterfaceManagers();
    void CreatePathProvider();
    void CreateMainFrame();
    void WireProjectCommands();
    void ShowSplash();
    bool InitializeEngine();
    void ParseCommandLine(const QStringList& arguments);
    void RegisterDocumentTemplates();
    void RegisterServerAndFileTypes();
    bool PrepareCommandLineFile();
    void ShowMainFrame();
    void ReadProfileSettings();
    void RenameOldUserTemplates();
    void CreateOperatingInstructionsEntry();
    void CloseSplash();
    void OpenStartupProject();
    // Shut-down steps, in order.
    void TerminateGridLibrary();
    void CloseProjectAtExit();
    void FreeModuleEntries();
    void CloseViewerWindows();
    void SaveUserSettings();

    void writeRecentLists();
    QStringList workingCopyDatabases() const;

    StepRecorder m_recorder;
    std::unique_ptr<QTemporaryDir> m_profileStandIn; // the profile's folder when Qt's file is left alone
    std::unique_ptr<QSettings> m_profile;            // goes first: it writes into m_profileStandIn
    QString m_profileLeftAlone;                      // told once the window shows; "" when the file is used
    CUserSettingsFile m_userSettings;
    std::vector<CRecentFileList> m_recentLists;
    QMap<QString, QMenu*> m_contextMenus;
    std::unique_ptr<CQVFileLocations> m_fileLocations;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CAutomationBus> m_bus; // the scripting objects on the bus, when started for them
    std::unique_ptr<QSplashScreen> m_splash;
    CCommandLineInfo m_commandLine;
    CDocumentRegistry m_documents;
    ProjectFileSet m_fileSet;
    StepDatabaseRegistry m_stepDatabases;
    bool m_projectModified = false;
    bool m_keepProjectAtExit = false; // a signal left the project for recovery
    double m_ambientPressure = 101325.0;
    AppContext* m_previousContext = nullptr; // set first: the members below may ask for the context
    std::unique_ptr<CProjectManager> m_projects;
    std::unique_ptr<CManagedProcessOperation> m_processOperation;
    std::unique_ptr<CDialogFitter> m_dialogFitter; // dialogs wide enough for their titles
    std::unique_ptr<CPlainTextLabels> m_plainTextLabels; // user text read as typed
    ProcessOperationService* m_previousProcessOperation = nullptr;
    std::unique_ptr<class HelpService> m_help;
    AutomationPromptService m_automationPrompts;       // installed when started for automation
    std::unique_ptr<ServiceInstallations> m_installed; // the composition's services
};
