#pragma once
// The holder of one step import: the exchange file, the process that receives the step and where
// the step goes among the process's steps. No command shows its form.

#include <QString>

class CImportStepDialog {
public:
    explicit CImportStepDialog(long processID) : m_processID(processID) {}

    // Imports the file at m_path as a new step; tells the user of every failure itself.
    void ImportStep(int placement, long anchorStepID);
    // The new step's place in the process (inside the import's transaction).
    bool SetImportedStepOrder(long newStepID);

    long m_processID;
    QString m_path;
    int m_placement = 2; // 1 first, 2 last, 3 before the anchor, 4 after it
    long m_anchorStepID = -1;
    QString m_newStepID; // "%ld" once the new step's database is registered

private:
    long ImportIntoProject(const QString& temp);
    void AfterImport(long stepID);
};
