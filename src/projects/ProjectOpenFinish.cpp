// Opening a project, last steps: recent files, the language template, the step databases, the
// hand-over to the main frame, the in-use marker and the first operation for the managed side.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/ConnectString.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "projects/CompoundFileState.h"
#include "projects/LanguagePreferenceDialog.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <QFileInfo>

namespace {
// A working copy opened as a project stands for the project file beside it.
QString RecentFileEntry(const QString& projectFile)
{
    const QFileInfo file(projectFile);
    if (file.suffix().compare(QLatin1String("wc"), Qt::CaseInsensitive) != 0)
        return projectFile;
    return WithSlash(file.absolutePath()) + file.completeBaseName() + QStringLiteral(".prj");
}
} // namespace

void CProjectManager::RememberOpenedProject(int mode)
{
    ProjectFileSet& files = m_files;
    const bool fromPackage =
        m_compoundFile && !m_compoundFile->GetCompoundFilePath(files.projectDir).isEmpty();
    if (mode != 1 && !fromPackage)
        GetAppContext()->AddToRecentFileList(RecentFileEntry(files.projectFilePath));
    files.projectName = OpenedName();
    files.previousProjectDBPath = files.projectDBPath;
    files.previousEquipmentDBPath = files.equipmentDBPath;
    files.previousMaterialsDBPath = files.materialsDBPath;
    files.previousWorkingCopyDir = files.workingCopyDir;
    files.previousProjectName = files.projectName;
}

bool CProjectManager::SetUpLanguage(int mode, int& languageResult)
{
    RememberOpenedProject(mode);
    languageResult = m_language.ResolveLanguageTemplate();
    if (languageResult == 0) {
        if (ProjectLifecycleServices* frame = GetProjectLifecycleServices())
            frame->CloseAllViews();
        return false; // the abort closes the project
    }
    if (languageResult == 2) {
        CLanguagePreferenceDialog preference;
        preference.m_strTemplatePath = m_files.defaultLanguageTemplatePath;
        preference.SaveLanguagePreference();
    }
    return mode == 3 ||
           (m_language.CheckLanguageTemplate(languageResult) && m_language.OpenLanguageDatabase());
}

bool CProjectManager::FinishOpen(int mode, bool frameArgument, int languageResult, bool converted)
{
    QString error;
    m_opening.stepsWalked = true;
    if (!OpenStepDatabases(error, BuildConnectString(GetProjectDBPath())))
        return false;
    if (languageResult == 2 && mode == 2)
        UpdateRecipeTextOfAllSteps();
    m_bProjectOpen = true; // the hand-over: from here on the project is open until its close ends
    m_opening.handedOver = true;
    ProjectLifecycleServices* frame = GetProjectLifecycleServices();
    if (frame)
        frame->OnProjectOpened(frameArgument);
    if (!m_marker.WriteInUseMarker(GetProjectDir())) {
        QvMessageBox(QString::fromLatin1(ALREADY_OPEN_TEXT));
        CloseProject(SaveAnswer::Ask);
        return false;
    }
    if (mode == 2)
        HandFirstOperation(); // what it answers changes nothing of the rest
    SynchroniseLibraries();
    if (frame && frame->MaterialLookupFailed()) {
        CloseProject(SaveAnswer::Ask);
        return false;
    }
    // A converted project is the user's to save: its own files stay as they were until then.
    if (converted)
        SetProjectModified(true);
    return true;
}

// The first operation of the first step goes to the managed side's process-operation call. The
// registry holds the steps opened in the project's order; a step left out at open is not in it.
bool CProjectManager::HandFirstOperation()
{
    if (m_steps.count() == 0)
        return true;
    const long stepID = m_steps.stepIDAt(0);
    CTextRecipeSet recipe;
    if (!recipe.OpenSet(stepID, 0, QStringLiteral("all")))
        return false;
    const auto isOperation = [&] {
        return recipe.GetText(QStringLiteral("Type"))
                   .compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0;
    };
    while (!recipe.IsEOF() && !isOperation())
        recipe.MoveNext();
    ProcessOperationService* service = GetProcessOperationService();
    if (!recipe.IsEOF() && service) {
        QString result;
        service->InvokeProcessOperation(stepID, recipe.GetText(QStringLiteral("OperationName")),
                                        recipe.GetLong(QStringLiteral("ID")), result);
    }
    return true;
}
