#pragma once
// Opening and closing a project without a main window, on the installed application object: the
// file work of the open sequence (the in-use check and its recovery question, the working copies,
// the project database, the step databases, the marker). Failures are reported through the prompt
// service. Used where a whole program would be too much: the save driver and the benchmarks.

#include "projects/ProjectManager.h"

#include <QString>

class CProjectSession {
public:
    // Opens a ".prj"; false after the reason was shown (nothing is undone, as in the program).
    bool Open(const QString& projectFilePath);
    // Closes the open project (the save question comes when it is modified).
    bool Close() { return m_manager.CloseCurrentProject(); }
    bool Save() { return m_manager.SaveProject(QString(), false); }
    CProjectManager& manager() { return m_manager; }

private:
    bool TakeOverOrRecover(QString& folder, QString& name);
    bool CopyWorkingCopies(const QString& folder, const QString& name);
    bool OpenDatabases();

    CProjectManager m_manager;
};
