#pragma once
// The lock of an instance folder of working copies. Each running instance holds an exclusive flock
// on the lock file in its folder from the folder's creation to its removal, so a folder whose lock
// can be taken belongs to an instance that has ended; a folder without the file was never locked,
// by an instance long gone. Whoever cleans up or recovers such a folder holds its lock meanwhile.

#include <QString>

inline constexpr char INSTANCE_LOCK_FILE[] = "instance.lock";

class CInstanceFolderLock {
public:
    // Tries the lock of the folder (with or without its trailing "/") without waiting.
    explicit CInstanceFolderLock(const QString& folder);
    ~CInstanceFolderLock(); // lets go of the lock
    CInstanceFolderLock(const CInstanceFolderLock&) = delete;
    CInstanceFolderLock& operator=(const CInstanceFolderLock&) = delete;

    // True when no running instance holds the folder: its lock file is missing or now held here.
    bool Free() const { return m_free; }

private:
    int m_fd = -1;
    bool m_free = false;
};
