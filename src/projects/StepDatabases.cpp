// The step database registry: one open working copy per step of the project, found by step id.

#include "foundation/common/ConversionCode.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/ChangeTracking.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"
#include "foundation/db/FileSyncQueue.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <memory>
#include <utility>

namespace {
// Opens a step's working copy and hands it to the registry.
void RegisterStepDatabase(StepDatabaseRegistry& registry, long stepID, const QString& path)
{
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(path, DatabaseRole::WorkingCopy);
    registry.add(stepID, std::move(database), path);
}

// The step's working copy, copied from the project folder and opened: the open is the check that
// the copy is a database, and the connection the step module and the registry use. The caller
// flushes the copy, and the folder once for every copy. Null, and no copy left, when either fails. The baseline
// has the source's identity from before the copy and the copy's change number from right after it.
std::unique_ptr<CDaoDatabase> CopyAndOpenWorkingCopy(const QString& source, const QString& destination,
                                                     std::optional<ChangeBaseline>& baseline)
{
    baseline = BaselineBeforeCopy(source);
    if (!CopyWorkingCopyFile(source, destination, WorkingCopyWrite::IntoUnclaimedFolder))
        return nullptr;
    if (baseline)
        baseline->changeNumber = ChangeNumber(destination);
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(destination, DatabaseRole::WorkingCopy);
        return database;
    } catch (const CDaoException&) {
        database.reset();
        DeleteDatabaseFile(destination);
        return nullptr;
    }
}

// Every copy the walk kept, then their folder: only then are they durable.
bool FlushWorkingCopies(CFileSyncQueue& copies, const QString& workingCopy)
{
    const QString failure = copies.Finish();
    if (!failure.isEmpty()) {
        QvMessageBox(failure);
        return false;
    }
    try {
        SyncFolderOf(workingCopy);
        return true;
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
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
    CFileSyncQueue copies; // flushed while the walk goes on
    long previousID = -1;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (stepID == previousID)
            continue;
        previousID = stepID;
        if (!OpenStepWorkingCopy(stepID, error))
            return false;
        if (m_steps.contains(stepID))
            copies.Add(m_steps.path(stepID));
    }
    if (previousID >= 0 && !FlushWorkingCopies(copies, GetWorkingCopyDir() + StepWorkingCopyName(previousID)))
        return false;
    RecordStepBaselines();
    return true;
}

// Once the copies are durable, the baselines of the steps still open; a step left out has none.
void CProjectManager::RecordStepBaselines()
{
    for (const OpenAttempt::StepBaseline& step : std::exchange(m_opening.stepBaselines, {})) {
        if (m_steps.contains(step.stepID))
            RecordBaseline(m_steps.path(step.stepID), step.baseline);
    }
}

// False ends the walk. A step the module cannot convert, or whose database raises an error once its
// copy opened, is left out with its message: its working copy goes at once and the walk goes on.
bool CProjectManager::OpenStepWorkingCopy(long stepID, QString& error)
{
    const QString source = GetProjectDir() + StepDatabaseName(stepID);
    const QString destination = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    std::optional<ChangeBaseline> baseline;
    std::unique_ptr<CDaoDatabase> database = CopyAndOpenWorkingCopy(source, destination, baseline);
    if (!database) {
        error = QStringLiteral(
                    "Failed to copy step database file \"%1\" to \"%2\".\nCheck that the database exists.")
                    .arg(source, destination);
        QvMessageBox(error);
        return false;
    }
    if (baseline)
        m_opening.stepBaselines.append({stepID, *baseline});
    try {
        return ConvertStepWorkingCopy(stepID, std::move(database), destination);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        LeaveStepOut(stepID, destination);
        return true;
    }
}

bool CProjectManager::ConvertStepWorkingCopy(long stepID, std::unique_ptr<CDaoDatabase> database,
                                             const QString& workingCopy)
{
    const int conversion = m_convertStep(workingCopy); // on the connection just opened
    if (conversion == CONV_FAILED) {
        QvMessageBox(QStringLiteral("Can't convert the step database!"));
        database.reset();
        LeaveStepOut(stepID, workingCopy);
        return true;
    }
    m_steps.add(stepID, std::move(database), workingCopy);
    return conversion != CONV_STEP_CONVERTED || RegenerateStepRecipeText(stepID);
}

// A step left out has no database and no working copy, so no save writes its file.
void CProjectManager::LeaveStepOut(long stepID, const QString& workingCopy)
{
    StepDatabaseRegistry& registry = m_steps;
    for (int i = registry.count() - 1; i >= 0; --i) {
        if (registry.stepIDAt(i) == stepID)
            registry.removeAt(i); // closes its database
    }
    DeleteDatabaseFile(workingCopy);
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
            RegisterStepDatabase(m_steps, stepID, GetWorkingCopyDir() + StepWorkingCopyName(stepID));
        } catch (const CDaoException&) {
            // a step whose working copy cannot be opened stays unregistered
        }
    }
}

void CProjectManager::CloseStepDatabases()
{
    for (int i = m_steps.count() - 1; i >= 0; --i) {
        const QString workingCopy = m_steps.pathAt(i);
        m_steps.removeAt(i); // closes its database first
        DeleteDatabaseFile(workingCopy);
    }
}
