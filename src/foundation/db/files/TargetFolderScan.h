#pragma once
// One look at the folders of many files, for deciding many targets in one pass: each folder is
// canonicalised and opened once. A key is answered from one listing of the folder's names; a
// target's key and identity from one status read of its name in the open folder (not following a
// link), and its write leftovers from one listing of the names that may be leftovers. The answers
// are those of the single-path functions of ChangeTracking.h; anything the scan cannot answer the
// same way (a link, a folder that cannot be opened, listed or canonicalised, a relative path) is
// asked of the file system again.

#include "foundation/db/connection/ChangeTracking.h"

#include <QHash>
#include <QString>

#include <deque>
#include <memory>
#include <optional>

class CSharedConnection;

class CTargetFolderScan {
public:
    CTargetFolderScan() = default;
    CTargetFolderScan(const CTargetFolderScan&) = delete;
    CTargetFolderScan& operator=(const CTargetFolderScan&) = delete;
    ~CTargetFolderScan();

    // ChangeKey(path); plainFile (when given) tells that the key is that of a listed file that is
    // no link, which is then also the connection registry's key.
    QString changeKey(const QString& path, bool* plainFile = nullptr);
    // changeKey(path) == key, without making the key when the scan answers.
    bool hasChangeKey(const QString& path, const QString& key);
    // CSharedConnection::find(path).
    std::shared_ptr<CSharedConnection> connectionOn(const QString& path);
    // HasWriteLeftoversBeside(target).
    bool hasWriteLeftoversBeside(const QString& target);
    // ReadFileIdentity(path), from the one status read of the name that hasChangeKey(path) shares.
    std::optional<FileIdentity> identityOf(const QString& path);

private:
    enum class Listing { None, Leftovers, All, Failed };
    struct Folder {
        QString path;      // as given
        QString canonical; // empty: every question goes to the file system
        int fd = -1;
        Listing listing = Listing::None;
        // The names listed (all, or those that may be write leftovers) -> dirent type.
        QHash<QString, unsigned char> entries;
        // The names with a write leftover beside them -> true when one is a plain file (a link
        // or an entry of unknown type is asked of the file system).
        QHash<QString, bool> leftovers;
    };
    // A path's entry as the status read of its name in the folder found it.
    enum class Entry { Unread, Missing, Plain, Link, Unknown };
    struct Place {
        Folder* folder = nullptr;
        QString name;
        Entry entry = Entry::Unread;
        FileIdentity identity; // of a Plain entry
    };
    Place& placeOf(const QString& path);
    Place findPlace(const QString& path);
    Folder& folderAt(QStringView folderPath);
    static Folder open(const QString& folderPath);
    static void list(Folder& folder, Listing wanted);
    static void noteLeftover(Folder& folder, const QString& name, unsigned char type);
    static Entry entryOf(Place& place);

    std::deque<Folder> m_folders; // a save looks in two or three: looked up in order
    QString m_lastPath;           // placeOf's last question and answer
    Place m_lastPlace;
};
