#include "foundation/db/files/WorkingCopyDurability.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QFileInfo>
#include <QSet>

namespace {
bool TrySync(void (*sync)(const QString&), const QString& path)
{
    try {
        sync(path);
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}
} // namespace

bool MakeWorkingCopiesDurable(const QStringList& workingCopies)
{
    bool durable = true;
    QSet<QString> folders;
    for (const QString& path : workingCopies) {
        durable = TrySync(SyncDatabaseFile, path) && durable;
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder)) {
            folders.insert(folder);
            durable = TrySync(SyncFolderOf, path) && durable;
        }
    }
    return durable;
}
