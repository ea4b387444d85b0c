#pragma once
// Copying into a folder. Each file goes through a copy function, so that database files can be
// handed to the database layer's copy; the default copies the bytes. Nothing is ever overwritten.

#include <QString>
#include <QStringList>

#include <functional>

using FileCopyFunction = std::function<bool(const QString& from, const QString& to)>;

bool CopyFileBytes(const QString& from, const QString& to);

// Copies into one folder and takes back what it made: unless Keep() is called, the destructor
// removes the files it copied and the folders it created (the folder itself too when it made
// it), never a file or folder that was there before. Each file copied gets the user's write bit,
// each folder made the user's read, write and search bits, whatever the source's modes were.
// The first failure shows "Failed to create directory %s" or "Failed to copy file from %s to %s"
// and answers false.
class FolderCopy {
public:
    explicit FolderCopy(const QString& folder, FileCopyFunction copyFile = CopyFileBytes);
    ~FolderCopy();
    FolderCopy(const FolderCopy&) = delete;
    FolderCopy& operator=(const FolderCopy&) = delete;

    // The folder, made with its missing parents.
    bool MakeFolder();
    // One file into the folder under that name.
    bool CopyFile(const QString& from, const QString& name);
    // Every entry of source into the folder, sub-folders too; the folder itself is not copied
    // into itself when it lies inside source, and symbolic links to folders are left out.
    bool CopyTree(const QString& source);
    void Keep() { m_created.clear(); }

private:
    bool makeFolder(const QString& folder);
    bool copyTree(const QString& source, const QString& destination);
    bool copyFile(const QString& from, const QString& to);
    bool isCopyRoot(const QString& path) const;

    QString m_folder;
    FileCopyFunction m_copyFile;
    QStringList m_created; // in the order made
};

// The whole tree of source into destination, undone on failure (FolderCopy).
bool CopyDirectory(const QString& source, const QString& destination,
                   const FileCopyFunction& copyFile = CopyFileBytes);
