#include "projects/ImportStepDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/StepImport.h"

#include <QFile>

void CImportStepDialog::ImportStep(int placement, long anchorStepID)
{
    WaitCursor wait;
    const QString temp = GetProjectDir() + QStringLiteral("IMPORT_S.TMP");
    if (!CopyScratchDatabaseFile(m_path, temp)) {
        QvMessageBox(QStringLiteral("Failed to copy the import step as a temporary file!"));
        return;
    }
    QFile::setPermissions(temp, QFile::permissions(temp) | QFileDevice::WriteOwner);
    m_placement = placement;
    m_anchorStepID = anchorStepID;
    const long stepID = ImportIntoProject(temp);
    // Read into the step's working copy, or refused: the scratch copy has served either way.
    DeleteDatabaseFile(temp);
    if (stepID != 0)
        AfterImport(stepID);
}

// The rows, the working copy and the step's place: one transaction on each working copy.
long CImportStepDialog::ImportIntoProject(const QString& temp)
{
    try {
        CStepImportTransaction import;
        const long stepID = StepUtilsEntry().importStep(temp, m_processID);
        if (stepID == 0 || !CopyImportedStepDatabases({temp}, {stepID}))
            return 0;
        import.AdoptStepDatabases({stepID});
        if (!SetImportedStepOrder(stepID) || !import.Commit())
            return 0;
        m_newStepID = QString::number(stepID);
        return stepID;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return 0;
    }
}

bool CImportStepDialog::SetImportedStepOrder(long newStepID)
{
    WaitCursor wait;
    return InsertStepOrder(m_placement, m_anchorStepID, newStepID, m_processID);
}

void CImportStepDialog::AfterImport(long stepID)
{
    RebuildAndSelect(ExplorerLevel::Step, stepID, m_processID, -1);
    DotNetInvokeSetEquipmentManagerToReload();
    if (RegenerateStepRecipeText(stepID))
        RefreshFacilityTree();
    RefreshAutomationModel(-1);
}
