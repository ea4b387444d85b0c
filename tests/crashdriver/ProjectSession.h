#pragma once
// Opening and closing a project without a main window, on the installed application object,
// through the program's own open (an existing file given by path) and close. Failures are
// reported through the prompt service. Used where a whole program would be too much: the save
// driver, the crash test and the benchmarks.

#include "projects/ProjectManager.h"

#include <QFileInfo>

class CProjectSession {
public:
    // Opens into the application object's file set and step registry.
    CProjectSession(ProjectFileSet& files, StepDatabaseRegistry& steps) : m_manager(files, steps) {}
    // Opens a ".prj"; false after the reason was shown.
    bool Open(const QString& projectFile)
    {
        return m_manager.OpenProjectByPath(QFileInfo(projectFile).absoluteFilePath());
    }
    // Closes the open project (the save question comes when it is modified).
    bool Close() { return m_manager.CloseCurrentProject(); }
    bool Save() { return m_manager.SaveProject(QString(), false); }
    CProjectManager& manager() { return m_manager; }

private:
    CProjectManager m_manager;
};
