#pragma once
// An application object whose folders all lie under one root and exist (folder answers end with
// "/"): a real file set and step registry, a profile in an INI file there. Installs itself for its
// lifetime. Header only, so that the headless session (tests/crashdriver) shares it without GoogleTest.

#include "foundation/common/PathHelpers.h"
#include "foundation/common/concerns/AppContext.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

class RootedPaths : public PathProvider {
public:
    // instancesRoot: the folder holding every session's instance folder (the root when empty).
    RootedPaths(const QString& root, const QString& instanceDir, const QString& workingLanguage,
                const QString& instancesRoot = {})
        : m_root(Slashed(root)), m_instanceDir(Slashed(instanceDir)), m_workingDir(m_root + "work/"),
          m_workingLanguageDBPath(workingLanguage),
          m_instancesRoot(instancesRoot.isEmpty() ? m_root : Slashed(instancesRoot))
    {
        for (const QString& folder :
             {exeDir(), m_workingDir, m_instanceDir, standardTemplateDir(), userTemplateDir(), languageDir()})
            QDir().mkpath(folder);
    }

    QString installDir() const override { return m_root + "install/"; }
    QString exeDir() const override { return m_root + "bin/"; }
    QString workingDir() const override { return m_workingDir; }
    QString instanceTempDir() const override { return m_instanceDir; }
    // Every session of a test lays out its instance folder under the test's root; a folder
    // outside it stands for one this program never made.
    bool isInstanceFolder(const QString& folder) const override { return IsResolvedBelow(folder, m_instancesRoot); }
    QString standardTemplateDir() const override { return installDir() + "Templates/Projects/"; }
    QString userTemplateDir() const override { return m_root + "user-templates/"; }
    QString languageDir() const override { return installDir() + "Language/"; }
    QString workingLanguageDBPath() const override { return m_workingLanguageDBPath; }
    // Like the program's provider: a template it may write is used where it lies.
    bool SetLanguageFile(const QString& languageTemplatePath) override
    {
        if (!QFileInfo(languageTemplatePath).isFile())
            return false;
        m_workingLanguageDBPath = languageTemplatePath;
        return true;
    }
    void RestoreLanguageFile(const QString&, const QString& workingPath) override
    {
        m_workingLanguageDBPath = workingPath;
    }
    void SetWorkingDirectory(const QString& folder) override { m_workingDir = Slashed(folder); }

    static QString Slashed(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

private:
    QString m_root, m_instanceDir, m_workingDir, m_workingLanguageDBPath, m_instancesRoot;
};

class RootedAppContext : public AppContext {
public:
    RootedAppContext(const QString& root, const QString& instanceDir, const QString& workingLanguage = {},
                     const QString& instancesRoot = {})
        : m_paths(root, instanceDir, workingLanguage, instancesRoot),
          m_profile(RootedPaths::Slashed(root) + "profile.ini", QSettings::IniFormat),
          m_previous(SetAppContext(this))
    {
    }
    ~RootedAppContext() override { SetAppContext(m_previous); }
    RootedAppContext(const RootedAppContext&) = delete;
    RootedAppContext& operator=(const RootedAppContext&) = delete;

    const ProjectFileSet& fileSet() const override { return m_fileSet; }
    const StepDatabaseRegistry& stepDatabases() const override { return m_stepDatabases; }
    // Set up here and handed to the project manager, the one writer in the program.
    ProjectFileSet& fileSet() { return m_fileSet; }
    StepDatabaseRegistry& stepDatabases() { return m_stepDatabases; }
    PathProvider* paths() override { return &m_paths; }
    QSettings* profile() override { return &m_profile; }
    void AddToRecentFileList(const QString&) override {}
    void RemoveFromRecentFileList(const QString&) override {}
    void setProjectID(long projectID) override { m_fileSet.projectID = projectID; }
    bool isProjectModified() const override { return m_modified; }
    void setProjectModified(bool modified) override { m_modified = modified; }
    double ambientPressure() const override { return m_ambientPressure; }
    void setAmbientPressure(double internalValue) override { m_ambientPressure = internalValue; }

private:
    ProjectFileSet m_fileSet;
    StepDatabaseRegistry m_stepDatabases;
    RootedPaths m_paths;
    QSettings m_profile;
    bool m_modified = false;
    double m_ambientPressure = 101325.0;
    AppContext* m_previous = nullptr;
};
