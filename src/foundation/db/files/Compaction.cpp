#include "foundation/db/files/Compaction.h"

#include "foundation/common/NewFile.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/files/DatabaseHeader.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <fcntl.h>
#include <unistd.h>

namespace {

CompactionStageHook& stageHook()
{
    static CompactionStageHook hook;
    return hook;
}

void enter(CompactionStage stage)
{
    if (stageHook() && !stageHook()(stage))
        throw CDaoException(QStringLiteral("Compaction stopped at stage %1.").arg(int(stage)));
}

// VACUUM INTO keeps the source's journal format; a written file uses a rollback journal. The file
// is complete and has no -wal, so its header bytes are all there is to change.
void useRollbackJournal(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    const bool changed = fd >= 0 && WriteJournalFormat(fd, JournalFormat::Rollback);
    if (fd >= 0)
        ::close(fd);
    if (!changed)
        throw CDaoException(QStringLiteral("Cannot set the journal format of '%1'.").arg(path));
}

// VACUUM INTO writes its file at the source's flush level: a journal of the file's own, flushed with
// the folder, and the file. Nothing relies on the file before SyncFile flushes it whole, and its
// name is flushed with its folder by whoever gives it its final name (the folder flush after the
// rename, or the save journal's), so it is written without flushes; the source's level comes back.
void vacuumIntoUnflushed(CDaoDatabase& source, const QString& target)
{
    QSqlQuery read = source.Query(QStringLiteral("PRAGMA main.synchronous"));
    const int level = read.next() ? read.value(0).toInt() : 3; // else the strongest, EXTRA
    read.finish();
    const QString restore = QStringLiteral("PRAGMA main.synchronous = %1").arg(level);
    source.Execute(QStringLiteral("PRAGMA main.synchronous = OFF"));
    try {
        source.Execute(QStringLiteral("VACUUM INTO ?"), {target});
    } catch (const CDaoException&) {
        source.Execute(restore);
        throw;
    }
    source.Execute(restore);
}

// A link under the name is no leftover of ours: it is refused, and what it names is left alone.
void removeOrThrow(const QString& path)
{
    if (IsSymbolicLink(path))
        throw CDaoException(LinkRefusedText(path));
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw CDaoException(QStringLiteral("Cannot remove '%1'.").arg(path));
}

class Compaction {
public:
    Compaction(CDaoDatabase& source, const QString& target, CompactionPrepare prepare = {},
               const QString& temporary = QString())
        : m_source(source), m_target(target),
          m_temporary(temporary.isEmpty() ? target + QStringLiteral(".tmp") : temporary),
          m_backup(target + QStringLiteral(".bu")), m_prepare(std::move(prepare))
    {
    }
    ~Compaction()
    {
        if (m_written >= 0)
            ::close(m_written);
    }
    Compaction(const Compaction&) = delete;
    Compaction& operator=(const Compaction&) = delete;

    void run()
    {
        check();
        NoteFileWritten(m_target);
        try {
            stages();
        } catch (const CDaoException&) {
            recover();
            throw;
        }
    }

    // Only the flushed temporary; the caller gives it the target's name.
    void runToTemporary()
    {
        check();
        try {
            enter(CompactionStage::RemoveLeftover);
            removeOrThrow(m_temporary);
            RemoveSideFiles(m_temporary);
            writeTemporary();
        } catch (const CDaoException&) {
            if (!IsSymbolicLink(m_temporary))
                QFile::remove(m_temporary);
            throw;
        }
    }

private:
    void check() const
    {
        if (!m_source.IsOpen())
            throw CDaoException(QStringLiteral("The database is not open."));
        if (m_source.InTransaction())
            throw CDaoException(QStringLiteral("A database cannot be compacted inside a transaction."));
        if (CSharedConnection::registryKey(m_target) == m_source.GetName())
            throw CDaoException(QStringLiteral("A database cannot be compacted onto itself."));
        if (CSharedConnection::isOpen(m_target))
            throw CDaoException(
                QStringLiteral("The database '%1' is open and cannot be replaced.").arg(m_target));
    }

    // VACUUM INTO opens its file by name: it writes into a staging folder of our own, and the
    // flushed file is renamed to the temporary's name, so that nothing goes through a link there.
    void writeTemporary()
    {
        enter(CompactionStage::VacuumInto);
        const CStagingFolder staging(m_temporary);
        const QString name = QFileInfo(m_temporary).fileName(), staged = staging.filePath(name);
        QString refused;
        if (!staging.isValid() || !CreateNewFile(staged, ExistingFile::Refuse, &refused))
            throw CDaoException(staging.isValid() ? refused : staging.error());
        vacuumIntoUnflushed(m_source, staged);
        useRollbackJournal(staged);
        prepareTemporary(staged);
        enter(CompactionStage::SyncTemporary);
        if (!staging.MoveIntoPlace(name, m_temporary, &refused, &m_written))
            throw CDaoException(refused);
    }

    void stages()
    {
        enter(CompactionStage::RemoveLeftover);
        removeLeftovers();
        writeTemporary();
        enter(CompactionStage::KeepBackup);
        keepBackup();
        enter(CompactionStage::ReplaceTarget);
        RemoveSideFiles(m_target);
        replaceTargetWithWritten();
        enter(CompactionStage::SyncFolder);
        SyncFolderOf(m_target);
        enter(CompactionStage::RemoveBackup);
        QFile::remove(m_backup); // a backup left behind is removed by the next write
    }

    // The temporary takes the target's name only while it is the file written, and must be it after.
    void replaceTargetWithWritten()
    {
        if (!NamesOpenFile(m_temporary, m_written))
            throw CDaoException(QStringLiteral("The file \"%1\" was replaced while it was written.").arg(m_temporary));
        ReplaceFile(m_temporary, m_target);
        m_replaced = true;
        if (!NamesOpenFile(m_target, m_written))
            throw CDaoException(QStringLiteral("The file \"%1\" was replaced while it was written.").arg(m_target));
    }

    void prepareTemporary(const QString& staged)
    {
        if (!m_prepare)
            return;
        CDaoDatabase written;
        written.Open(staged, DatabaseRole::ReadWrite);
        m_prepare(written);
        written.Close();
    }

    void removeLeftovers()
    {
        removeOrThrow(m_temporary);
        RemoveSideFiles(m_temporary);
        if (QFileInfo::exists(m_target))
            removeOrThrow(m_backup);
        else if (QFileInfo::exists(m_backup))
            ReplaceFile(m_backup, m_target);
    }

    // A hard link costs nothing and keeps the target's name in place; a copy where links fail.
    void keepBackup()
    {
        if (!QFileInfo::exists(m_target))
            return;
        removeOrThrow(m_backup);
        if (LinkFile(m_target, m_backup))
            return;
        if (!ReplaceWithCopy(m_target, m_backup, nullptr))
            throw CDaoException(QStringLiteral("Cannot keep a backup of '%1'.").arg(m_target));
        SyncFile(m_backup);
    }

    void recover() noexcept
    {
        if (!IsSymbolicLink(m_temporary))
            QFile::remove(m_temporary);
        if (!QFileInfo::exists(m_backup))
            return;
        if (m_replaced || !QFileInfo::exists(m_target)) {
            try {
                ReplaceFile(m_backup, m_target);
            } catch (const CDaoException&) {
                // the backup keeps the old content under its own name
            }
        } else {
            QFile::remove(m_backup);
        }
    }

    CDaoDatabase& m_source;
    const QString m_target, m_temporary, m_backup;
    const CompactionPrepare m_prepare;
    bool m_replaced = false;
    int m_written = -1; // the temporary written, open once it is in place
};

} // namespace

void CompactDatabaseTo(CDaoDatabase& source, const QString& target)
{
    Compaction(source, target).run();
}

void CompactDatabaseTo(CDaoDatabase& source, const QString& target, const CompactionPrepare& prepare)
{
    Compaction(source, target, prepare).run();
}

void CompactDatabaseToTemporary(CDaoDatabase& source, const QString& temporary, const CompactionPrepare& prepare)
{
    Compaction(source, temporary, prepare, temporary).runToTemporary();
}

void CompactDatabaseFile(const QString& source, const QString& target)
{
    CDaoDatabase database;
    const bool mustRecover = HasJournalBeside(source) && !CSharedConnection::isOpen(source);
    database.Open(source, mustRecover ? DatabaseRole::ReadWrite : DatabaseRole::ReadOnly);
    CompactDatabaseTo(database, target);
}

CompactionStageHook SetCompactionStageHook(CompactionStageHook hook)
{
    CompactionStageHook previous = std::move(stageHook());
    stageHook() = std::move(hook);
    return previous;
}
