// The main frame's calls into the managed side, with the open project's names and places.

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "shell/MainFrame.h"

namespace {
const QString LIST_DATA = QStringLiteral("ListData");
}

ZEVKProjectNamesLocations CMainFrame::ProjectNamesLocations() const
{
    ZEVKProjectNamesLocations names;
    names.projectName = GetProjectName();
    names.temporaryFolder = GetQuorvantaTempDir();
    if (AppContext* app = GetAppContext())
        names.workingLanguageDBPath = app->fileSet().workingLanguageDBPath;
    names.currentStepDBPath = GetStepDBPath(m_currentStepID);
    return names;
}

// After a change the project is modified and the Facility Explorer shows it; the recipe texts that
// name a renamed item are generated again.
bool CMainFrame::DotNetInvokeDataEquipment(long facilityID, long equipmentID)
{
    WaitForUpdateDatabase();
    QList<long> renamed;
    IManagedSide* side = GetManagedSide();
    if (!side->DotNetInvokeDataEquipment(facilityID, equipmentID, ProjectNamesLocations(), renamed))
        return false;
    SetProjectModified(true);
    RefreshFacilityTree();
    for (long id : std::as_const(renamed))
        UpdateRecipeTextsNamingEquipment(id);
    return true;
}

std::optional<QString> CMainFrame::DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments)
{
    WaitForUpdateDatabase();
    return GetManagedSide()->DotNetInvokeOperationDialog(stepID, operationID, m_lastPrimaryEquipmentID, userComments);
}

void CMainFrame::DotNetNotifyStreamUpdate(long stepID) { GetManagedSide()->DotNetNotifyStreamUpdate(stepID); }

QList<CStreamReference> CMainFrame::DotNetStreamUsedInOtherOperation(long stepID, long operationID)
{
    WaitForUpdateDatabase();
    return GetManagedSide()->DotNetStreamUsedInOtherOperation(stepID, operationID);
}

void CMainFrame::DotNetNotifyPreferencesUpdate()
{
    WaitForUpdateDatabase();
    GetManagedSide()->DotNetNotifyPreferencesUpdate(ProjectNamesLocations());
}

void CMainFrame::DotNetNotifyOptionsUpdate()
{
    WaitForUpdateDatabase();
    GetManagedSide()->DotNetNotifyOptionsUpdate(ProjectNamesLocations());
}

void CMainFrame::DotNetNotifyCommentsTypeUpdate() { GetManagedSide()->DotNetNotifyCommentsTypeUpdate(); }

void CMainFrame::DotNetInvokeUpdateLanguage(const QString& language)
{
    GetManagedSide()->DotNetInvokeUpdateLanguage(language, ProjectNamesLocations());
}

void CMainFrame::DotNetInvokeResetStepWiseCache() { GetManagedSide()->DotNetInvokeResetStepWiseCache(); }

bool CMainFrame::ProcessOperation(long stepID, long operationID) { return ::ProcessOperation(stepID, operationID); }

void CMainFrame::DotNetInvokeSetEquipmentManagerToReload()
{
    GetManagedSide()->DotNetInvokeSetEquipmentManagerToReload();
}

bool CMainFrame::DotNetInvokeGetDisplayValue(QString& out, const QString& listName, const QString& key)
{
    return GetManagedSide()->DotNetInvokeGetDisplayValue(out, listName + LIST_DATA, key);
}

QStringList CMainFrame::DotNetInvokeGetDisplayVector(const QString& listName)
{
    return GetManagedSide()->DotNetInvokeGetDisplayVector(listName + LIST_DATA);
}

bool CMainFrame::DotNetInvokeGetKeyValue(QString& out, const QString& listName, const QString& displayText)
{
    return GetManagedSide()->DotNetInvokeGetKeyValue(out, listName + LIST_DATA, displayText);
}
