#include "projects/PlanSequenceFiles.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/PlanSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
bool SameFile(const QString& a, const QString& b)
{
    return ChangeKey(a) == ChangeKey(b);
}

void RemoveSequenceFile(const QString& path)
{
    NoteFileWritten(path);
    QFile::remove(path);
}
} // namespace

bool ReadPlanSequenceFileNames(QStringList& names)
{
    names.clear();
    try {
        CPlanSet plans;
        plans.SetErrorMode(DaoErrorMode::Quiet);
        if (!plans.OpenSet())
            return false;
        for (; !plans.IsEOF(); plans.MoveNext())
            names << UserSimSequenceFileName(plans.GetText(QStringLiteral("PlanName")),
                                             plans.GetLong(QStringLiteral("PlanID")));
    } catch (const CDaoException&) {
        return false;
    }
    return true;
}

QStringList SequenceFileNamesIn(const QString& folder)
{
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (IsUserSimSequenceFileName(name))
            names << name;
    }
    return names;
}

QString SequenceFileIn(const QString& folder, const QString& name)
{
    const QString found = FindFileNoCase(folder, name);
    return found.isEmpty() ? QDir(folder).filePath(name) : found;
}

QStringList CPlanSequenceFiles::CopyIn(const QString& projectFolder, const QString& workingFolder)
{
    m_projectFiles.clear();
    QStringList names, copies;
    if (SameFile(projectFolder, workingFolder) || !ReadPlanSequenceFileNames(names))
        return copies;
    for (const QString& stale : SequenceFileNamesIn(workingFolder))
        RemoveSequenceFile(QDir(workingFolder).filePath(stale));
    for (const QString& name : std::as_const(names)) {
        const QString source = FindFileNoCase(projectFolder, name);
        const QString copy = QDir(workingFolder).filePath(name);
        if (source.isEmpty())
            continue;
        std::optional<ChangeBaseline> baseline = BaselineBeforeCopy(source);
        if (!CopyUserSimSequenceFileOrReport(source, copy))
            continue;
        if (baseline) {
            baseline->changeNumber = ChangeNumber(copy);
            RecordBaseline(copy, *baseline);
        }
        m_projectFiles << QFileInfo(source).fileName();
        copies << copy;
    }
    return copies;
}

void CPlanSequenceFiles::RemoveDropped(const QString& projectFolder, const QStringList& planFiles)
{
    QString removed;
    for (const QString& name : std::as_const(m_projectFiles)) {
        const QString path = QDir(projectFolder).filePath(name);
        if (planFiles.contains(name, Qt::CaseInsensitive) || !QFileInfo::exists(path))
            continue;
        RemoveSequenceFile(path);
        removed = path;
    }
    m_projectFiles.clear();
    for (const QString& name : planFiles) {
        const QString found = FindFileNoCase(projectFolder, name);
        if (!found.isEmpty())
            m_projectFiles << QFileInfo(found).fileName();
    }
    if (removed.isEmpty())
        return;
    try {
        SyncFolderOf(removed);
    } catch (const CDaoException&) {
        // The files are gone; only the folder's flush failed.
    }
}

void CPlanSequenceFiles::DeleteWorkingCopies(const QString& workingFolder)
{
    m_projectFiles.clear();
    if (workingFolder.isEmpty())
        return;
    for (const QString& name : SequenceFileNamesIn(workingFolder))
        RemoveSequenceFile(QDir(workingFolder).filePath(name));
}
