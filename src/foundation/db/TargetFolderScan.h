#pragma once
// One look at the folders of many files, for deciding many targets in one pass: each folder is
// canonicalised and opened once, and listed once for write leftovers when one is asked for. Each
// file is then looked at by its name in the open folder (one status read that does not follow a
// link). The answers are those of the single-path functions of ChangeTracking.h; anything the scan
// cannot answer the same way (a link, a folder that cannot be opened or canonicalised, a relative
// path) is asked of the file system again.

#include "foundation/db/ChangeTracking.h"

#include <QByteArray>
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
    // ReadFileIdentity(path), from the status read that answered changeKey(path) when it did.
    std::optional<FileIdentity> identityOf(const QString& path);

private:
    struct Folder {
        QString path;      // as given
        QString canonical; // empty: every question goes to the file system
        int fd = -1;
        bool listed = false;
        bool listingFailed = false;
        // The names that may be write leftovers (their last letter ends a suffix) -> dirent type.
        QHash<QString, unsigned char> entries;
        // The names with a write leftover beside them -> true when one is a plain file (a link
        // or an entry of unknown type is asked of the file system).
        QHash<QString, bool> leftovers;
    };
    // A path's entry as its folder's status read found it.
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
    static void list(Folder& folder);
    static void noteLeftover(Folder& folder, const QString& name, unsigned char type);
    static void readEntry(Place& place);

    std::deque<Folder> m_folders; // a save looks in two or three: looked up in order
    QString m_lastPath;           // placeOf's last question and answer
    Place m_lastPlace;
};
