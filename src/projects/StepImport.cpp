#include "projects/StepImport.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/StepRegistration.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "foundation/db/files/WorkingCopyBatch.h"
#include "modules/steputils/StepUtilsEntry.h"

#include <QFile>

#include <algorithm>

namespace {
QString ImportedWorkingCopy(long stepID)
{
    return GetWorkingCopyDir() + QStringLiteral("STEP_%1.WC").arg(stepID);
}

// A copy of a read-only file is written over and deleted like any other.
void MakeWritable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
}

void ShowCopyFailed(const QString& destination)
{
    QvMessageBox(QStringLiteral("Failed to copy the step to ") + destination + QStringLiteral(" !"));
}

// The copy, durable, in place: registered, or deleted after the message.
bool RegisterCopiedStep(long stepID, const QString& destination)
{
    if (RegisterStepDatabase(stepID, destination))
        return true;
    DeleteDatabaseFile(destination);
    QvMessageBox(QStringLiteral("The new step's database \"%1\" could not be opened.").arg(destination));
    return false;
}

bool CopyOneStepDatabase(const QString& stepFile, long stepID)
{
    const QString destination = ImportedWorkingCopy(stepID);
    // Its recipe texts are written right after the import.
    if (!CopyWorkingCopyFile(stepFile, destination, WorkingCopyWrite::ReplaceForWrites)) {
        ShowCopyFailed(destination);
        return false;
    }
    return RegisterCopiedStep(stepID, destination);
}

// Many steps: their bytes written and flushed side by side (CWorkingCopyBatch), each put in place
// and registered in order, then their folder flushed once. The copies this call made are in
// `made`, for the caller to take away on a failure.
bool CopyStepDatabasesTogether(const QStringList& stepFiles, const QList<long>& stepIDs, QList<long>& made)
{
    const qsizetype count = std::min(stepFiles.size(), stepIDs.size());
    if (count == 0)
        return true;
    CWorkingCopyBatch copies;
    for (qsizetype i = 0; i < count; ++i)
        copies.Add(stepFiles.at(i), ImportedWorkingCopy(stepIDs.at(i)), WorkingCopyWrite::ReplaceForWrites);
    for (qsizetype i = 0; i < count; ++i) {
        const QString destination = ImportedWorkingCopy(stepIDs.at(i));
        if (!copies.Take(int(i)).isEmpty()) {
            ShowCopyFailed(destination);
            return false;
        }
        if (!RegisterCopiedStep(stepIDs.at(i), destination))
            return false;
        made.append(stepIDs.at(i));
    }
    try {
        if (const QString failure = copies.Finish(); !failure.isEmpty())
            throw CDaoException(failure);
        SyncFolderOf(ImportedWorkingCopy(stepIDs.constFirst()));
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    return true;
}
} // namespace

CStepImportTransaction::CStepImportTransaction()
{
    m_project.Open(GetProjectDBPath(), DatabaseRole::WorkingCopy);
    m_equipment.Open(GetEquipmentDBPath(), DatabaseRole::WorkingCopy);
    m_materials.Open(GetMaterialsDBPath(), DatabaseRole::WorkingCopy);
    m_project.BeginTrans();
    m_equipment.BeginTrans();
    m_materials.BeginTrans();
}

CStepImportTransaction::~CStepImportTransaction()
{
    if (!m_committed)
        Abandon();
}

bool CStepImportTransaction::Commit()
{
    try {
        m_equipment.CommitTrans();
        m_materials.CommitTrans();
        m_project.CommitTrans();
        m_committed = true;
        SetProjectModified(true);
        return true;
    } catch (const CDaoException& error) {
        Abandon();
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

void CStepImportTransaction::Abandon()
{
    m_committed = true;
    for (CDaoDatabase* database : {&m_project, &m_materials, &m_equipment}) {
        try {
            if (database->InTransaction())
                database->Rollback();
        } catch (const CDaoException&) {
        }
    }
    DiscardImportedStepDatabases(m_made);
}

bool CopyImportedStepDatabases(const QStringList& stepFiles, const QList<long>& stepIDs)
{
    WaitCursor wait;
    if (stepFiles.size() == 1 && stepIDs.size() >= 1)
        return CopyOneStepDatabase(stepFiles.constFirst(), stepIDs.constFirst());
    QList<long> made;
    if (CopyStepDatabasesTogether(stepFiles, stepIDs, made))
        return true;
    DiscardImportedStepDatabases(made);
    return false;
}

void DiscardImportedStepDatabases(const QList<long>& stepIDs)
{
    for (long stepID : stepIDs) {
        UnregisterStepDatabase(stepID);
        DeleteDatabaseFile(ImportedWorkingCopy(stepID));
    }
}

bool InsertStepOrder(int position, long referenceStepID, long newStepID, long processID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project) {
        QvMessageBox(QStringLiteral("Can't open Query QryStepInProcessVersion for updating step order!"));
        return false;
    }
    try {
        InsertStepOrder(*project, processID, newStepID, position, referenceStepID);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

bool ImportStepIntoProcess(const QString& stepFile, int position, long referenceStepID, long processID)
{
    WaitCursor wait;
    MakeWritable(stepFile);
    long stepID = 0;
    try {
        CStepImportTransaction import;
        stepID = StepUtilsEntry().importExportedStep(stepFile, processID);
        if (stepID == 0 || !CopyImportedStepDatabases({stepFile}, {stepID}))
            return false;
        import.AdoptStepDatabases({stepID});
        if (!InsertStepOrder(position, referenceStepID, stepID, processID) || !import.Commit())
            return false;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    RefreshKeepSelection();
    RebuildAndSelect(ExplorerLevel::Step, stepID, processID, -1);
    const bool regenerated = RegenerateStepRecipeText(stepID);
    RefreshFacilityTree();
    RefreshAutomationModel(-1);
    return regenerated;
}
