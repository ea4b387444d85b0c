#pragma once
// Importing step files into the open project, each import one unit: the project, equipment and
// material working copies each hold one transaction from before the first row is written; the
// libraries commit first, the project last. A failure before that rolls all of them back and the
// step working copies the import made are unregistered and deleted, so no step is left without
// its working copy and nothing is refreshed. Recipe text, panes and the automation model follow
// only a committed import.

#include "foundation/db/connection/DaoDatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

class CStepImportTransaction {
public:
    CStepImportTransaction(); // raises CDaoException when a working copy cannot be opened
    ~CStepImportTransaction();
    CStepImportTransaction(const CStepImportTransaction&) = delete;
    CStepImportTransaction& operator=(const CStepImportTransaction&) = delete;

    CDaoDatabase& Project() { return m_project; }
    // Step working copies registered under the import, taken away again unless it commits.
    void AdoptStepDatabases(const QList<long>& stepIDs) { m_made += stepIDs; }
    // False (after the error's message) when a commit failed; the import is then undone as far as
    // it had not committed.
    bool Commit();

private:
    void Abandon();

    CDaoDatabase m_project, m_equipment, m_materials;
    QList<long> m_made;
    bool m_committed = false;
};

// Copies each step file over STEP_<id>.WC in the working-copy folder and registers it; on a
// failure (after its message) the copies this call made are taken away again and false returned.
bool CopyImportedStepDatabases(const QStringList& stepFiles, const QList<long>& stepIDs);
// Unregisters and deletes the step working copies of these steps.
void DiscardImportedStepDatabases(const QList<long>& stepIDs);
// One file exportStep has just written as a new step of the process at that place; true once
// imported and its recipe text regenerated.
bool ImportStepIntoProcess(const QString& stepFile, int position, long referenceStepID, long processID);
// The step's place among the steps of the process; false after the error's message.
bool InsertStepOrder(int position, long referenceStepID, long newStepID, long processID);
