#pragma once
// The other projects the copy dialog has been shown during this run of the program: every one
// chosen, in the order chosen, and the one shown now. Reopening the dialog starts from them.

#include <QString>
#include <QStringList>

class CNetSelectHistory {
public:
    // The history of this program run.
    static CNetSelectHistory& ProgramRun();

    QStringList m_projectList;  // the other projects chosen so far
    QString m_selectedProject;  // the other project shown now; empty before the first choice
};
