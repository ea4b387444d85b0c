// The step database registry: one open working copy per step of the project, found by step id.

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <memory>

namespace {
constexpr int CONVERSION_FAILED = 4;
constexpr int CONVERSION_DONE = 2;

// Opens a step's working copy and hands it to the registry.
void RegisterStepDatabase(long stepID, const QString& path)
{
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::WorkingCopy);
    GetAppContext()->stepDatabases().add(stepID, database.release(), path);
}
} // namespace

bool CProjectManager::OpenStepDatabases(QString& error, const QString& connect)
{
    Q_UNUSED(connect); // every working copy opens in the working-copy role
    CQueryStepInProjectSet steps;
    if (!steps.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open ProjectStep table to set up array!"));
        return false;
    }
    const QString projectDir = GetProjectDir(), workingDir = GetWorkingCopyDir();
    long previousID = -1;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (stepID == previousID)
            continue;
        previousID = stepID;
        const QString source = projectDir + StepDatabaseName(stepID);
        const QString destination = workingDir + StepWorkingCopyName(stepID);
        if (!m_hooks.upgradeDatabase(source, destination)) {
            error =
                QStringLiteral(
                    "Failed to copy step database file \"%1\" to \"%2\".\nCheck that the database exists.")
                    .arg(source, destination);
            QvMessageBox(error);
            return false;
        }
        const int conversion = m_hooks.convertStep(destination);
        if (conversion == CONVERSION_FAILED) {
            QvMessageBox(QStringLiteral("Can't convert the step database!"));
            continue;
        }
        try {
            RegisterStepDatabase(stepID, destination);
        } catch (const CDaoException& e) {
            QvMessageBox(e.GetErrorDescription());
            continue;
        }
        if (conversion == CONVERSION_DONE && !m_hooks.regenerateStepRecipeText(stepID))
            return false;
    }
    return true;
}

void CProjectManager::OpenNewStepDatabases()
{
    AppContext* app = GetAppContext();
    if (!app)
        return;
    CProjectStepSet steps;
    if (!steps.OpenSet())
        return;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (steps.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) ==
                0 ||
            GetStepDatabase(stepID))
            continue;
        try {
            RegisterStepDatabase(stepID, GetWorkingCopyDir() + StepWorkingCopyName(stepID));
        } catch (const CDaoException&) {
            // a step whose working copy cannot be opened stays unregistered
        }
    }
}

void CProjectManager::CloseStepDatabases()
{
    AppContext* app = GetAppContext();
    if (!app)
        return;
    StepDatabaseRegistry& registry = app->stepDatabases();
    for (int i = 0; i < registry.count(); ++i) {
        delete registry.databaseAt(i); // closes it
        DeleteDatabaseFile(registry.pathAt(i));
    }
    registry.clear();
}
