#pragma once
// Shared set-up of the shell tests: a clean profile and per-user settings file per test.

#include "shell/ShellConstants.h"
#include "shell/UserSettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QWidget>

inline void ResetShellProfile()
{
    QSettings(PROFILE_ORGANIZATION, PROFILE_APPLICATION).clear();
    QFile::remove(CUserSettingsFile::DefaultPath());
}

inline void WriteProfileValue(const QString& key, const QVariant& value)
{
    QSettings profile(PROFILE_ORGANIZATION, PROFILE_APPLICATION);
    profile.setValue(PROFILE_VERSION_GROUP + QLatin1Char('/') + key, value);
}

// With QV_SHOTS_DIR set, a picture saved there under the file name once pending paints are done:
// the whole screen on a display server (dialogs and menus included), else the window alone.
inline void SaveShellShot(QWidget* window, const QString& fileName)
{
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
    const bool screen = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPixmap picture = screen ? QGuiApplication::primaryScreen()->grabWindow(0) : window->grab();
    picture.save(QDir(folder).filePath(fileName));
}

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/SubsystemConcerns.h"

#include <QStringList>

// Records what the shell asks of the project and of the subsystems' concerns, each as one line
// ("open /p/A.prj", "RebuildPanes", ...). Installs itself for its lifetime.
class RecordingConcerns : public ProjectControl,
                          public ProjectHandover,
                          public EngineHost,
                          public AutomationModel,
                          public RecipeViewServices {
public:
    RecordingConcerns()
    {
        m_installed.Install<ProjectControl>(this);
        m_installed.Install<EngineHost>(this);
        m_installed.Install<AutomationModel>(this);
        m_installed.Install<RecipeViewServices>(this);
        AddProjectHandover(this);
    }
    ~RecordingConcerns() override { RemoveProjectHandover(this); }

    bool IsProjectOpen() const override { return ++openQueries, open; }
    bool OpenProjectByPath(const QString& path) override { return add("open " + path), open = true; }
    bool CloseProject(SaveAnswer) override
    {
        add("close");
        open = open && !closes;
        return closes;
    }
    bool SaveOpenProject() override { return add("save"), true; }

    void RebuildPanes() override { add("RebuildPanes:" + QString::number(open)); }
    void ReopenResultWindows() override { add("ReopenResultWindows"); }
    void LoadRecipeCommentTypes() override { add("LoadRecipeCommentTypes"); }
    void CloseDocuments() override { add("CloseDocuments"); }
    void ClearPanes() override { add("ClearPanes"); }

    bool InitializeEngine() override { return add("InitializeEngine"), engineReady; }
    bool CreateProjectEngine() override { return add("CreateProjectEngine"), true; }
    void DeleteProjectEngine() override { add("DeleteProjectEngine"); }
    void CleanUpUtilityArray() override { add("CleanUpUtilityArray"); }
    void FreeModuleEntries() override { add("FreeModuleEntries"); }

    void BuildAutomationModel() override { add("BuildAutomationModel"); }
    void DeleteAutomationModel() override { add("DeleteAutomationModel"); }

    void ApplyInsertMode(bool after, bool before) override
    {
        add(QStringLiteral("ApplyInsertMode %1 %2").arg(after).arg(before));
    }

    bool open = false;
    bool closes = true;
    bool engineReady = true;
    mutable int openQueries = 0;
    QStringList calls;

private:
    void add(const QString& call) { calls << call; }
    ServiceInstallations m_installed;
};
