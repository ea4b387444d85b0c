#pragma once
// The in-use marker "WorkingPath.txt" of a project folder: held with an exclusive advisory lock for
// as long as this instance has the project open; it names this instance's working-copy folder so
// that a later instance can offer the recovery of what this one left behind.

#include "foundation/common/InstanceFolderLock.h"

#include <QString>

#include <functional>
#include <memory>

struct ProjectFileSet;

class CInUseMarker {
public:
    // files: the application's file set, read for the project's path and given the earlier
    // instance's working copies when a marker names them.
    explicit CInUseMarker(ProjectFileSet& files) : m_files(files) {}
    // A marker still held keeps its file for the recovery; only the lock goes.
    ~CInUseMarker();
    CInUseMarker(const CInUseMarker&) = delete;
    CInUseMarker& operator=(const CInUseMarker&) = delete;

    // Sets the project's folder and name from its file path: 0 no usable marker, 1 an earlier
    // instance's working copies exist, 2 they and the project's files exist, 3 another instance
    // holds the project, or the marker is no file of ours (a link, a named pipe, a socket, a device,
    // a folder, a file beyond a text file's bound): the user was told which. Only an instance that
    // has ended leaves copies to recover: its folder's lock is held from here until
    // ReleaseEarlierInstance. A folder that a running instance holds is that instance's open copy (a
    // copy of the project folder made while it was open names it too): 0, and its files are not
    // touched.
    int CheckProjectInUse(QString& projectFolder, QString& projectName);
    // Lets go of the earlier instance's folder once its copies are recovered or declined.
    void ReleaseEarlierInstance() { m_earlierInstance.reset(); }
    // Takes the marker of that folder and records this instance's working-copy folder in it.
    bool WriteInUseMarker(const QString& projectFolder);
    bool Holds() const { return m_file >= 0; }
    // The marker held, "" when none.
    QString HeldPath() const { return Holds() ? m_path : QString(); }
    // Closes and deletes the marker (with the project-folder scratch files) when this instance
    // holds it; nothing otherwise.
    void Release();
    // Runs between opening the marker and locking it (where another instance may unlink it).
    void SetLockProbe(std::function<void(const QString& marker)> probe) { m_beforeLock = std::move(probe); }

private:
    enum class MarkerLock { Locked, Unlinked, Failed };
    MarkerLock LockMarker(const QString& path);
    MarkerLock LockNewMarker(const QString& path);
    MarkerLock LockIfNamed(int fd, const QString& path);
    bool TakeLockedMarker(const QString& path);

    ProjectFileSet& m_files;
    std::function<void(const QString&)> m_beforeLock;
    int m_file = -1;
    QString m_path;
    std::unique_ptr<CInstanceFolderLock> m_earlierInstance;
};
