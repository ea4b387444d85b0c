#pragma once
// The per-instance folders of working copies under one root, each locked by its running instance
// (foundation/common/InstanceFolderLock.h). Creating a folder and sweeping dead instances' folders
// both hold the root's own lock: a sweep never meets a folder whose instance has not locked it yet.

#include "foundation/common/InstanceFolderLock.h"

#include <QString>
#include <QStringList>

// <user cache folder>/WorkingCopies/
QString WorkingCopiesRoot();

// The working-copy databases directly in the folder (*.wc, *.ewc, *.mwc in any case).
QStringList WorkingCopyDatabasesIn(const QString& folder);
// True while the folder holds a working copy or the write-ahead log of one: the recovery needs it.
bool HoldsWorkingCopies(const QString& folder);

// Removes the root's instance-* folders that hold no working copy and whose lock nobody holds.
void RemoveStaleInstanceFolders(const QString& root);

class CInstanceFolder {
public:
    // Sweeps the root, then makes and locks this instance's folder; path() is empty on failure.
    explicit CInstanceFolder(const QString& root);
    ~CInstanceFolder(); // lets go of the lock; the folder itself stays
    CInstanceFolder(const CInstanceFolder&) = delete;
    CInstanceFolder& operator=(const CInstanceFolder&) = delete;

    // The folder with a trailing "/".
    QString path() const { return m_path; }
    // Removes the folder, lock file included, when it holds no working copy.
    void RemoveIfUnused();

private:
    QString m_path;
    int m_lock = -1;
};
