// The step database registry: one open working copy per step of the project, found by step id.

#include "foundation/common/ConversionCode.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/CanonicalPaths.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"
#include "foundation/db/files/WorkingCopyBatch.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "projects/ProjectFileNames.h"
#include "projects/ProjectManager.h"

#include <algorithm>
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

// A written copy opened: the open is the check that the copy is a database, and the connection the
// step module and the registry use. Null, and no copy left, when it fails.
std::unique_ptr<CDaoDatabase> OpenWrittenCopy(const QString& workingCopy)
{
    auto database = std::make_unique<CDaoDatabase>();
    try {
        database->Open(workingCopy, DatabaseRole::WorkingCopy);
        return database;
    } catch (const CDaoException&) {
        database.reset();
        DeleteDatabaseFile(workingCopy);
        return nullptr;
    }
}

// How many step copies are under way ahead of the step being opened.
constexpr qsizetype COPIES_AHEAD = 64;

// Every copy of the walk, then their folder, which holds every working copy of the open (the
// libraries' and the project's too): only then are they durable.
bool FlushWorkingCopies(CWorkingCopyBatch& copies, const QString& workingCopy)
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

// The steps' working copies are written and flushed a few steps ahead of the one being opened
// (the first ones may have started at the free-space check); a walk that stops leaves none of the
// copies it had not reached, and one that ends none of a file that is no step of the project.
bool CProjectManager::OpenStepDatabases(QString& error, const QString& connect)
{
    Q_UNUSED(connect); // every working copy opens in the working-copy role
    QList<long> stepIDs;
    if (!CQueryStepInProjectSet::ReadStepIDs(stepIDs, DaoErrorMode::Show)) {
        QvMessageBox(QStringLiteral("Can't open ProjectStep table to set up array!"));
        return false;
    }
    const CanonicalFolderScope folders; // the project's and the working copies' folders, resolved once
    for (qsizetype i = 0, ahead = 0; i < stepIDs.size(); ++i) {
        for (ahead = std::max(ahead, i); ahead < std::min(stepIDs.size(), i + COPIES_AHEAD); ++ahead) {
            if (!m_opening.stepCopyIndex.contains(stepIDs.at(ahead)))
                AddStepCopy(stepIDs.at(ahead));
        }
        if (!m_opening.stepCopyIndex.contains(stepIDs.at(i)))
            AddStepCopy(stepIDs.at(i)); // listed twice: taken once already
        if (!OpenStepWorkingCopy(stepIDs.at(i), TakeStepCopy(stepIDs.at(i)), error))
            return false;
    }
    if (!m_opening.stepCopies)
        m_opening.stepCopies = std::make_unique<CWorkingCopyBatch>();
    const bool flushed = FlushWorkingCopies(*m_opening.stepCopies, GetProjectDBPath());
    m_opening.stepCopies.reset();
    m_opening.stepCopyIndex.clear();
    if (!flushed)
        return false;
    RecordStepBaselines();
    return true;
}

// The baseline has the source's identity from before the copy; its change number is read once
// the copy is written.
void CProjectManager::AddStepCopy(long stepID)
{
    const QString source = GetProjectDir() + StepDatabaseName(stepID);
    if (std::optional<ChangeBaseline> baseline = BaselineBeforeCopy(source))
        m_opening.stepBaselines.append({stepID, *baseline});
    if (!m_opening.stepCopies)
        m_opening.stepCopies = std::make_unique<CWorkingCopyBatch>();
    m_opening.stepCopyIndex.insert(stepID,
                                   m_opening.stepCopies->Add(source, GetWorkingCopyDir() + StepWorkingCopyName(stepID)));
}

// Waits until the step's copy, which was added, is written and flushed (CWorkingCopyBatch::Take).
QString CProjectManager::TakeStepCopy(long stepID)
{
    Q_ASSERT(m_opening.stepCopyIndex.contains(stepID));
    return m_opening.stepCopies->Take(m_opening.stepCopyIndex.take(stepID));
}

// The copies of the first steps by number start once the space for them is known, from the step
// files found in the folder: they are written while the project database is copied and opened.
void CProjectManager::StartStepCopies(QList<long> listed)
{
    std::sort(listed.begin(), listed.end());
    listed.resize(std::min(listed.size(), COPIES_AHEAD));
    const CanonicalFolderScope folders;
    for (const long stepID : std::as_const(listed))
        AddStepCopy(stepID);
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
bool CProjectManager::OpenStepWorkingCopy(long stepID, const QString& copyFailure, QString& error)
{
    const QString source = GetProjectDir() + StepDatabaseName(stepID);
    const QString destination = GetWorkingCopyDir() + StepWorkingCopyName(stepID);
    if (copyFailure.isEmpty())
        NoteStepCopyChangeNumber(stepID, destination);
    std::unique_ptr<CDaoDatabase> database = copyFailure.isEmpty() ? OpenWrittenCopy(destination) : nullptr;
    if (!database) {
        // A named pipe or a device under the step's name is refused as such, and so is a database
        // grown past its header's size.
        QString refusal = RegularFileRefusal(source, LinkRule::Follow);
        if (refusal.isEmpty())
            refusal = DatabaseSizeRefusal(source);
        error = !refusal.isEmpty()
                    ? refusal
                    : QStringLiteral("Failed to copy step database file \"%1\" to \"%2\".\nCheck that the "
                                     "database exists.")
                          .arg(source, destination);
        QvMessageBox(error);
        return false;
    }
    try {
        return ConvertStepWorkingCopy(stepID, std::move(database), destination);
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        LeaveStepOut(stepID, destination);
        return true;
    }
}

// The copy's change number right after it was written, in the step's baseline.
void CProjectManager::NoteStepCopyChangeNumber(long stepID, const QString& workingCopy)
{
    for (qsizetype i = m_opening.stepBaselines.size() - 1; i >= 0; --i) {
        if (m_opening.stepBaselines.at(i).stepID == stepID) {
            m_opening.stepBaselines[i].baseline.changeNumber = ChangeNumber(workingCopy);
            return;
        }
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
