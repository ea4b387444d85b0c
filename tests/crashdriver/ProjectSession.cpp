#include "ProjectSession.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QFileInfo>

namespace {
constexpr int NOTHING_TO_RECOVER = 0;
constexpr int RECOVERY_INCOMPLETE_PROJECT = 1;
constexpr int IN_USE = 3;

const char* const RECOVERY_QUESTION = "A working copy of this Project exists and may contain unsaved "
                                      "work.\n\nDo you want to try to recover it?";
const char* const ALREADY_OPEN =
    "This project is already open.\n\nA copy of the project may be made to continue working.";
} // namespace

bool CProjectSession::Open(const QString& projectFilePath)
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    files.projectFilePath = QFileInfo(projectFilePath).absoluteFilePath();
    files.isTemplate = false;
    files.projectFileKind = 1;
    QString folder, name;
    if (!TakeOverOrRecover(folder, name))
        return false;
    files.projectDir = folder;
    files.projectName = name;
    files.workingCopyDir = GetQuorvantaTempDir();
    if (!CopyWorkingCopies(folder, name) || !OpenDatabases())
        return false;
    if (!m_manager.WriteInUseMarker(folder)) {
        QvMessageBox(QString::fromUtf8(ALREADY_OPEN));
        return false;
    }
    return true;
}

// The in-use check; an earlier instance's working copies are offered for recovery.
bool CProjectSession::TakeOverOrRecover(QString& folder, QString& name)
{
    const int inUse = m_manager.CheckProjectInUse(folder, name);
    if (inUse == IN_USE)
        return false;
    if (inUse == NOTHING_TO_RECOVER)
        return true;
    const int answer = QvMessageBox(QString::fromUtf8(RECOVERY_QUESTION), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES)
        m_manager.ReplaceProjectFiles(folder, GetQuorvantaTempDir(), name);
    return answer == IDYES || (answer == IDNO && inUse != RECOVERY_INCOMPLETE_PROJECT);
}

bool CProjectSession::CopyWorkingCopies(const QString& folder, const QString& name)
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    const QString base = folder + name, working = files.workingCopyDir + name;
    const struct {
        QString source, destination, failure;
    } copies[] = {
        {base + ".eqm", working + ".ewc", QStringLiteral("Failed to copy project equipment file \"%1\" !")},
        {base + ".mtl", working + ".mwc", QStringLiteral("Failed to copy project material file \"%1\" !")},
        {base + ".prj", working + ".wc", QStringLiteral("Failed to copy database file \"%1\" !")},
    };
    for (const auto& copy : copies) {
        if (!m_manager.hooks().upgradeDatabase(copy.source, copy.destination)) {
            QvMessageBox(copy.failure.arg(copy.destination));
            return false;
        }
    }
    files.equipmentDBPath = working + ".ewc";
    files.materialsDBPath = working + ".mwc";
    files.projectDBPath = working + ".wc";
    files.previousEquipmentDBPath = files.equipmentDBPath;
    files.previousMaterialsDBPath = files.materialsDBPath;
    files.previousProjectDBPath = files.projectDBPath;
    files.previousWorkingCopyDir = files.workingCopyDir;
    files.previousProjectName = name;
    return true;
}

bool CProjectSession::OpenDatabases()
{
    ProjectFileSet& files = GetAppContext()->fileSet();
    files.projectDatabase = new CDaoDatabase;
    try {
        files.projectDatabase->Open(files.projectDBPath, DatabaseRole::WorkingCopy);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    QString error;
    return m_manager.OpenStepDatabases(error, QString());
}
