#pragma once
// An application object for the open helpers: a project database and registered step databases.

#include "foundation/common/AppContext.h"

class FakeAppContext : public AppContext {
public:
    FakeAppContext() : m_previous(SetAppContext(this)) {}
    ~FakeAppContext() override { SetAppContext(m_previous); }

    ProjectFileSet& fileSet() override { return m_files; }
    StepDatabaseRegistry& stepDatabases() override { return m_steps; }
    PathProvider* paths() override { return nullptr; }
    QSettings* profile() override { return nullptr; }
    void AddToRecentFileList(const QString&) override {}
    bool isProjectModified() const override { return m_modified; }
    void setProjectModified(bool modified) override { m_modified = modified; }

private:
    AppContext* m_previous;
    ProjectFileSet m_files;
    StepDatabaseRegistry m_steps;
    bool m_modified = false;
};
