#pragma once
// One look at the folders of many files, for deciding many targets in one pass: each folder is
// listed and canonicalised once. The answers are those of the single-path functions of
// ChangeTracking.h for files as the listing found them; anything the listing cannot answer the
// same way (a link, a folder that cannot be listed or canonicalised, a relative path) is asked of
// the file system again.

#include <QHash>
#include <QString>

#include <deque>
#include <memory>

class CSharedConnection;

class CTargetFolderScan {
public:
    // ChangeKey(path); plainFile (when given) tells that the key is that of a listed file that is
    // no link, which is then also the connection registry's key.
    QString changeKey(const QString& path, bool* plainFile = nullptr);
    // CSharedConnection::find(path).
    std::shared_ptr<CSharedConnection> connectionOn(const QString& path);
    // HasWriteLeftoversBeside(target).
    bool hasWriteLeftoversBeside(const QString& target);

private:
    struct Folder {
        QString path;                          // as given
        QString canonical;                     // empty: every question goes to the file system
        QHash<QString, unsigned char> entries; // name -> dirent type
        // The names with a write leftover beside them -> true when one is a plain file (a link
        // or an entry of unknown type is asked of the file system).
        QHash<QString, bool> leftovers;
    };
    struct Place {
        const Folder* folder = nullptr;
        QString name;
    };
    Place placeOf(const QString& path);
    Place findPlace(const QString& path);
    const Folder& folderAt(QStringView folderPath);
    static Folder scan(const QString& folderPath);
    static void noteLeftover(Folder& folder, const QString& name, unsigned char type);

    std::deque<Folder> m_folders; // a save looks in two or three: looked up in order
    QString m_lastPath;           // placeOf's last question and answer
    Place m_lastPlace;
};
