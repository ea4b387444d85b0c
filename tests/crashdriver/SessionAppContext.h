#pragma once
// The application object of a headless session (the save driver, the benchmarks): a real file
// set and step registry, every folder under one root that outlives the process, a profile in an
// INI file there, and the default recipe-language template in the install's Language folder (built
// when missing). Installs itself for its lifetime.

#include "foundation/common/AppContext.h"

#include <QSettings>

#include <memory>

class CSessionPaths : public PathProvider {
public:
    // The working copies go to instanceDir. A language template is used where it lies.
    CSessionPaths(const QString& root, const QString& instanceDir);

    QString installDir() const override { return m_root + "install/"; }
    QString exeDir() const override { return m_root + "bin/"; }
    QString workingDir() const override { return m_workingDir; }
    QString instanceTempDir() const override { return m_instanceDir; }
    QString standardTemplateDir() const override { return installDir() + "Templates/Projects/"; }
    QString userTemplateDir() const override { return m_root + "user-templates/"; }
    QString languageDir() const override { return installDir() + "Language/"; }
    QString workingLanguageDBPath() const override { return m_workingLanguageDBPath; }
    bool SetLanguageFile(const QString& languageTemplatePath) override;
    void SetWorkingDirectory(const QString& folder) override;

private:
    QString m_root, m_instanceDir, m_workingDir, m_workingLanguageDBPath;
};

class CSessionAppContext : public AppContext {
public:
    CSessionAppContext(const QString& root, const QString& instanceDir);
    ~CSessionAppContext() override;
    CSessionAppContext(const CSessionAppContext&) = delete;
    CSessionAppContext& operator=(const CSessionAppContext&) = delete;

    const ProjectFileSet& fileSet() const override { return m_fileSet; }
    const StepDatabaseRegistry& stepDatabases() const override { return m_stepDatabases; }
    ProjectFileSet& fileSet() { return m_fileSet; }
    StepDatabaseRegistry& stepDatabases() { return m_stepDatabases; }
    PathProvider* paths() override { return &m_paths; }
    QSettings* profile() override { return &m_profile; }
    void AddToRecentFileList(const QString&) override {}
    void RemoveFromRecentFileList(const QString&) override {}
    bool isProjectModified() const override { return m_modified; }
    void setProjectModified(bool modified) override { m_modified = modified; }
    double ambientPressure() const override { return m_ambientPressure; }
    void setAmbientPressure(double internalValue) override { m_ambientPressure = internalValue; }

private:
    ProjectFileSet m_fileSet;
    StepDatabaseRegistry m_stepDatabases;
    CSessionPaths m_paths;
    QSettings m_profile;
    bool m_modified = false;
    double m_ambientPressure = 101325.0;
    AppContext* m_previous = nullptr;
};
