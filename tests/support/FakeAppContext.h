#pragma once
// A recording application object for tests: real file set and step registry, folders under a
// temporary folder, a profile in an INI file there. Installs itself for its lifetime.

#include "foundation/common/AppContext.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Every folder lies under one root and exists; folder answers end with "/".
class FakePathProvider : public PathProvider {
public:
    explicit FakePathProvider(const QString& root);

    QString installDir() const override { return m_root + "install/"; }
    QString exeDir() const override { return m_root + "bin/"; }
    QString workingDir() const override { return m_workingDir; }
    QString instanceTempDir() const override { return m_root + "instance/"; }
    QString standardTemplateDir() const override { return installDir() + "Templates/Projects/"; }
    QString userTemplateDir() const override { return m_root + "user-templates/"; }
    QString languageDir() const override { return installDir() + "Language/"; }
    QString workingLanguageDBPath() const override { return m_workingLanguageDBPath; }
    bool SetLanguageFile(const QString& languageTemplatePath) override;
    void SetWorkingDirectory(const QString& folder) override;

private:
    QString m_root;
    QString m_workingDir;
    QString m_workingLanguageDBPath;
};

class FakeAppContext : public AppContext {
public:
    FakeAppContext();
    ~FakeAppContext() override;
    FakeAppContext(const FakeAppContext&) = delete;
    FakeAppContext& operator=(const FakeAppContext&) = delete;

    const ProjectFileSet& fileSet() const override { return m_fileSet; }
    const StepDatabaseRegistry& stepDatabases() const override { return m_stepDatabases; }
    // Tests set up and hand these to the project manager, the one writer in the program.
    ProjectFileSet& fileSet() { return m_fileSet; }
    StepDatabaseRegistry& stepDatabases() { return m_stepDatabases; }
    PathProvider* paths() override { return &m_paths; }
    QSettings* profile() override { return m_profile.get(); }
    void AddToRecentFileList(const QString& path) override { m_recentFiles << path; }
    void RemoveFromRecentFileList(const QString& path) override;
    bool isProjectModified() const override { return m_modified; }
    void setProjectModified(bool modified) override;
    double ambientPressure() const override { return m_ambientPressure; }
    void setAmbientPressure(double internalValue) override { m_ambientPressure = internalValue; }

    FakePathProvider& fakePaths() { return m_paths; }
    QString root() const { return m_root.path() + "/"; }
    const QStringList& recentFiles() const { return m_recentFiles; }
    void setRecentFiles(const QStringList& paths) { m_recentFiles = paths; }
    // Every value the modified flag was set to, in order.
    const QList<bool>& modifiedHistory() const { return m_modifiedHistory; }

private:
    QTemporaryDir m_root;
    ProjectFileSet m_fileSet;
    StepDatabaseRegistry m_stepDatabases;
    FakePathProvider m_paths;
    std::unique_ptr<QSettings> m_profile;
    QStringList m_recentFiles;
    bool m_modified = false;
    double m_ambientPressure = 101325.0;
    QList<bool> m_modifiedHistory;
    AppContext* m_previous = nullptr;
};
