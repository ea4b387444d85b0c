#include "shell/QuorvantaApp.h"

#include "automation/AutomationBus.h"
#include "automation/AutomationModelBuilder.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/concerns/DocumentKinds.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/DialogFitter.h"
#include "foundation/controls/PlainTextLabels.h"
#include "projects/ProjectManager.h"
#include "results/HtmlViewsDoc.h"
#include "shell/Composition.h"
#include "shell/DesktopHelp.h"
#include "shell/MainFrame.h"
#include "shell/ProfileSettingsFile.h"
#include "shell/QVFileLocations.h"
#include "shell/ShellConstants.h"
#include "shell/SignalHandler.h"
#include "shell/bridge/ManagedProcessOperation.h"

#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QSettings>
#include <QSplashScreen>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

namespace {
const char* const kContextMenus[] = {"ProcessTreeMenu", "PlanMenu",   "FacilityTreeMenu",
                                     "RecipeTextMenu",  "MDITabMenu", "StandardStatementMenu"};
const char* const kRecentLists[] = {"Recent Custom Reports", "Recent File List",
                                    "Recent Custom Material Databases"};
} // namespace

CQuorvantaApp::CQuorvantaApp()
    : m_previousContext(SetAppContext(this)),
      m_projects(std::make_unique<CProjectManager>(m_fileSet, m_stepDatabases))
{
    m_projects->SetUserSettings(this);
    m_processOperation = std::make_unique<CManagedProcessOperation>([this] {
        if (m_frame)
            m_frame->WaitForUpdateDatabase();
    });
    m_previousProcessOperation = SetProcessOperationService(m_processOperation.get());
    m_dialogFitter = std::make_unique<CDialogFitter>();
    m_plainTextLabels = std::make_unique<CPlainTextLabels>();
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(m_dialogFitter.get());
        application->installEventFilter(m_plainTextLabels.get());
    }
}

CQuorvantaApp::~CQuorvantaApp()
{
    m_bus.reset(); // no call may reach the tree while it goes
    m_projects.reset(); // lets go of the open databases while this is still the application object
    m_installed.reset();
    m_splash.reset();
    m_frame.reset();
    qDeleteAll(m_contextMenus);
    if (GetAppContext() == this)
        SetAppContext(m_previousContext);
    if (GetProcessOperationService() == m_processOperation.get())
        SetProcessOperationService(m_previousProcessOperation);
}

PathProvider* CQuorvantaApp::paths()
{
    return m_fileLocations.get();
}

void CQuorvantaApp::record(const QString& step) const
{
    if (m_recorder)
        m_recorder(step);
}

bool CQuorvantaApp::InitInstance(const QStringList& arguments)
{
    RaiseOpenFileLimit();
    if (!InitializeOle())
        return false;
    SetRegistryKey();
    LoadUserSettings();
    CreateRecentFileLists();
    RegisterUserInterfaceManagers();
    CreatePathProvider();
    CreateMainFrame();
    ShowSplash();
    if (!InitializeEngine()) {
        CloseSplash();
        return false;
    }
    ParseCommandLine(arguments);
    RegisterDocumentTemplates();
    RegisterServerAndFileTypes();
    if (m_commandLine.RunsHidden()) {
        CloseSplash(); // started by another program: the frame stays hidden
        return ClaimAutomationBus();
    }
    const bool fileReady = PrepareCommandLineFile();
    ShowMainFrame();
    ReadProfileSettings();
    RenameOldUserTemplates();
    CreateOperatingInstructionsEntry();
    CloseSplash();
    if (fileReady)
        OpenStartupProject();
    return true;
}

// Serves the scripting objects under the program's bus name; another program holding it ends
// this start with a line on stderr. Once the bus is gone no script can reach the program again:
// unless the user sees its window, it ends as a hang-up does, a changed project kept for recovery.
bool CQuorvantaApp::ClaimAutomationBus()
{
    record(QStringLiteral("ClaimAutomationBus"));
    auto* tree = dynamic_cast<CAutomationModelBuilder*>(ServiceSlot<AutomationModel>::Get());
    QString error = QStringLiteral("The scripting objects are not available.");
    if (tree) {
        m_bus = std::make_unique<CAutomationBus>(*tree, &m_frame->automationLifetime());
        m_bus->WhenDisconnected([this] {
            if (!m_frame->isVisible())
                CSignalHandler::Request(SIGHUP);
        });
        if (m_bus->Claim(QDBusConnection::sessionBus(), &error))
            return true;
    }
    m_bus.reset();
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return false;
}

void CQuorvantaApp::RaiseOpenFileLimit()
{
    record(QStringLiteral("RaiseOpenFileLimit"));
    // Every open project keeps one database per step open.
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

bool CQuorvantaApp::InitializeOle()
{
    // Nothing to initialise: there is no object linking on this platform.
    record(QStringLiteral("InitializeOle"));
    return true;
}

void CQuorvantaApp::SetRegistryKey()
{
    record(QStringLiteral("SetRegistryKey"));
    ProfileSettings profile = OpenProfileSettings(PROFILE_ORGANIZATION, PROFILE_APPLICATION);
    m_profile.reset(); // before the folder it may write into goes
    m_profileStandIn = std::move(profile.standIn);
    m_profile = std::move(profile.settings);
    m_profileLeftAlone = profile.leftAlone;
    if (!m_profileLeftAlone.isEmpty())
        qWarning("%s", qPrintable(m_profileLeftAlone));
    m_profile->beginGroup(PROFILE_VERSION_GROUP);
}

void CQuorvantaApp::LoadUserSettings()
{
    record(QStringLiteral("LoadUserSettings"));
    m_userSettings.Load();
}

void CQuorvantaApp::CreateRecentFileLists()
{
    record(QStringLiteral("CreateRecentFileLists"));
    m_recentLists.clear();
    for (const char* section : kRecentLists) {
        m_recentLists.emplace_back(QString::fromLatin1(section), QStringLiteral("File%d"), RECENT_FILE_COUNT);
        m_recentLists.back().ReadList(*m_profile);
    }
}

void CQuorvantaApp::RegisterUserInterfaceManagers()
{
    record(QStringLiteral("RegisterUserInterfaceManagers"));
    for (const char* name : kContextMenus) {
        auto* menu = new QMenu(QString::fromLatin1(name));
        menu->setObjectName(QString::fromLatin1(name));
        m_contextMenus.insert(menu->objectName(), menu);
    }
}

void CQuorvantaApp::CreatePathProvider()
{
    record(QStringLiteral("CreatePathProvider"));
    m_fileLocations = std::make_unique<CQVFileLocations>(m_profile.get());
    m_projects->SetDefaultLanguageTemplate(m_fileLocations->defaultLanguageTemplatePath());
}

void CQuorvantaApp::CreateMainFrame()
{
    record(QStringLiteral("CreateMainFrame"));
    m_frame = std::make_unique<CMainFrame>();
    m_frame->SetDocumentRegistry(&m_documents);
    m_help = std::make_unique<CDesktopHelp>(m_fileLocations.get());
    m_installed = std::make_unique<ServiceInstallations>();
    Compose(*this, *m_frame, *m_help, *m_installed);
    m_frame->SetRecentFiles(recentFiles().names());
    m_userSettings.AttachWindow(m_frame.get());
    m_userSettings.ApplyTo(m_frame.get());
    WireProjectCommands();
    m_frame->UpdateCommandStates(); // the handlers exist now
}

void CQuorvantaApp::ShowSplash()
{
    record(QStringLiteral("ShowSplash"));
    const QPixmap picture = QIcon(QStringLiteral(":/shell/splash.svg")).pixmap(QSize(480, 300));
    m_splash = std::make_unique<QSplashScreen>(picture);
    m_splash->showMessage(PRODUCT_NAME, Qt::AlignBottom | Qt::AlignHCenter);
    m_splash->show();
}

bool CQuorvantaApp::InitializeEngine()
{
    record(QStringLiteral("InitializeEngine"));
    return ::InitializeEngine();
}

void CQuorvantaApp::ParseCommandLine(const QStringList& arguments)
{
    record(QStringLiteral("ParseCommandLine"));
    m_commandLine = CCommandLineInfo::Parse(arguments);
    g_bAutomationActive = m_commandLine.RunsHidden();
    if (g_bAutomationActive) // nobody sees a prompt: each answers its default button
        m_installed->Install<PromptService>(&m_automationPrompts);
}

void CQuorvantaApp::RegisterDocumentTemplates()
{
    record(QStringLiteral("RegisterDocumentTemplates"));
    CDocumentRegistry ordered; // the kinds in their fixed order, with the factories installed so far
    for (const QString& kind : DocumentKindNames()) {
        const DocumentTemplate* installed = m_documents.Find(kind);
        ordered.Register(installed ? *installed
                                   : DocumentTemplate{kind, kind == QLatin1String("HTML Views") ? 131 : 0, {}, {}});
    }
    for (const QString& other : m_documents.Names()) {
        if (!ordered.Find(other))
            ordered.Register(*m_documents.Find(other));
    }
    m_documents = std::move(ordered);
}

void CQuorvantaApp::RegisterServerAndFileTypes()
{
    // File types are registered by the installed .desktop and MIME files, and the scripting
    // interface registers its own bus name; nothing is written at run time.
    record(QStringLiteral("RegisterServerAndFileTypes"));
}

bool CQuorvantaApp::PrepareCommandLineFile()
{
    record(QStringLiteral("PrepareCommandLineFile"));
    if (m_commandLine.fileName.isEmpty())
        return true;
    return m_projects->PrepareCommandLineFile(m_commandLine.fileName);
}

void CQuorvantaApp::ShowMainFrame()
{
    record(QStringLiteral("ShowMainFrame"));
    m_frame->setAcceptDrops(true);
    if (m_userSettings.windowGeometry().isEmpty())
        m_frame->showMaximized();
    else
        m_frame->show();
}

void CQuorvantaApp::ReadProfileSettings()
{
    record(QStringLiteral("ReadProfileSettings"));
    if (!m_profileLeftAlone.isEmpty())
        QvMessageBox(m_profileLeftAlone, MB_OK | MB_ICONWARNING);
    const QString currentDir = m_profile->value(QStringLiteral("Current Dir/Dir")).toString();
    if (!currentDir.isEmpty() && QDir(currentDir).exists())
        QDir::setCurrent(currentDir);
    m_frame->SetAutoSaveMinutes(m_profile->value(QStringLiteral("Options/AutoSave"), 0).toInt());
}

void CQuorvantaApp::RenameOldUserTemplates()
{
    record(QStringLiteral("RenameOldUserTemplates"));
    m_projects->RenameOldUserTemplates();
}

void CQuorvantaApp::CreateOperatingInstructionsEntry()
{
    // There is no operating-instructions module here: nothing to create.
    record(QStringLiteral("CreateOperatingInstructionsEntry"));
}

void CQuorvantaApp::CloseSplash()
{
    record(QStringLiteral("CloseSplash"));
    if (m_splash)
        m_splash->close();
    m_splash.reset();
}

bool CQuorvantaApp::IsSplashShown() const
{
    return m_splash && m_splash->isVisible();
}

void CQuorvantaApp::OpenStartupProject()
{
    if (!m_commandLine.fileName.isEmpty()) {
        record(QStringLiteral("OpenCommandLineProject"));
        g_bHtmlOpenedFromCommandLine = true; // an HTML view refuses the file the desktop handed over
        OpenGivenProjectFile(m_commandLine.fileName);
        g_bHtmlOpenedFromCommandLine = false;
        return;
    }
    record(QStringLiteral("ChooseStartupProject"));
    m_projects->ChooseStartupProject();
}

void CQuorvantaApp::AddToRecentFileList(const QString& path)
{
    if (m_recentLists.empty())
        return;
    recentFiles().Add(path);
    writeRecentLists();
    if (m_frame)
        m_frame->SetRecentFiles(recentFiles().names());
}

QStringList CQuorvantaApp::recentFileSlots() const
{
    return m_recentLists.empty() ? QStringList() : m_recentLists.at(RECENT_FILE_LIST).names();
}

void CQuorvantaApp::AddToRecentCustomReports(const QString& path)
{
    if (m_recentLists.empty())
        return;
    m_recentLists.at(RECENT_CUSTOM_REPORTS).Add(path);
    writeRecentLists();
}

QStringList CQuorvantaApp::recentCustomReportSlots() const
{
    return m_recentLists.empty() ? QStringList() : m_recentLists.at(RECENT_CUSTOM_REPORTS).names();
}

void CQuorvantaApp::RemoveFromRecentFileList(const QString& path)
{
    if (m_recentLists.empty())
        return;
    CRecentFileList& list = recentFiles();
    for (int i = list.count() - 1; i >= 0; --i) {
        if (list[i].compare(path, Qt::CaseInsensitive) == 0)
            list.Remove(i);
    }
    writeRecentLists();
    if (m_frame)
        m_frame->SetRecentFiles(list.names());
}

// The profile writes the lists out itself on the event loop's next pass (and at exit): an open or a
// save does not wait on the settings file's flushes.
void CQuorvantaApp::writeRecentLists()
{
    if (!m_profile)
        return;
    for (const CRecentFileList& list : m_recentLists)
        list.WriteList(*m_profile);
}
