#pragma once
// A file's canonical path, as the layer keys its connections and change counts. While a
// CanonicalFolderScope lives on the calling thread, each folder is resolved once: a file that is
// no link is its resolved folder and its name, found with one look at the file itself. For a walk
// over many files of a few folders; outside a scope every path is resolved whole.

#include <QHash>
#include <QString>

// "" when the file does not exist or cannot be resolved (as QFileInfo::canonicalFilePath).
QString CanonicalFilePath(const QString& path);
// The canonical path of the folder that holds path ("" when it cannot be resolved).
QString CanonicalFolderOf(const QString& path);

class CanonicalFolderScope {
public:
    CanonicalFolderScope();
    ~CanonicalFolderScope();
    CanonicalFolderScope(const CanonicalFolderScope&) = delete;
    CanonicalFolderScope& operator=(const CanonicalFolderScope&) = delete;

    QString Folder(const QString& absoluteFolder);

private:
    CanonicalFolderScope* m_outer;
    QHash<QString, QString> m_folders; // absolute folder -> canonical, "" when unresolved
};
