#pragma once
// The one way the program writes a file under a name it composes (project, package, working,
// results and settings folders). Creating a file in a project or working folder. Such a folder may come from
// someone else, with a symbolic link under a name the program writes: a file is therefore always made new
// (O_CREAT | O_EXCL | O_NOFOLLOW), never opened through a link, and a link in its place is refused and named.
// A plain file of that name that an earlier run left is replaced only where the caller says. Nothing is
// written in place as the file it is: it may be a hard link to a file anywhere. A file that replaces another
// is made new beside it and renamed over the name: a link there is replaced, never written through; a folder,
// named pipe, device or socket there is refused and named. A library that writes by name (zip, workbook,
// database) writes into a staging folder of the program's own, and the finished file is moved into place from
// there.

#include <QByteArray>
#include <QString>

#include <sys/types.h>

enum class ExistingFile {
    Refuse,  // a file of that name fails the create
    Replace, // a plain file of that name is removed first (only its name: a hard link's file stays)
};

// The message that refuses a link in the place of a file the program writes.
QString LinkRefusedText(const QString& path);
// True for a symbolic link, dangling or not.
bool IsSymbolicLink(const QString& path);
// The message that refuses to write in place a file of several names (hard links).
QString HardLinkRefusedText(const QString& path);
// True for a file with more than one name: writing it in place would change it under each.
bool HasOtherNames(const QString& path);

// The descriptor of a new regular file at path opened for reading and writing, made with mode
// after a plain file of that name as `existing` allows; -1 with the reason in *error
// (LinkRefusedText for a link).
int OpenNewFile(const QString& path, ExistingFile existing, QString* error, mode_t mode = 0644);
// The same, closed at once: an empty new file for a writer that opens it by name.
bool CreateNewFile(const QString& path, ExistingFile existing, QString* error, mode_t mode = 0644);
// The bytes in a new file at path, flushed to disk; false with the reason, and no file left.
bool WriteNewFile(const QString& path, const QByteArray& bytes, ExistingFile existing, QString* error,
                  mode_t mode = 0644);
// Why nothing may be renamed over path: "The file "<path>" is a folder/named pipe/device/socket..."
// Empty when the name is free, a regular file or a symbolic link (the rename replaces the link).
QString ReplaceRefusal(const QString& path);
// True when path (not followed) names the regular file open at fd: same device and inode.
bool NamesOpenFile(const QString& path, int fd);
// True when the file open at fd is the last one this process's creator made under path (a file
// put under the name by anyone else since is not).
bool IsFileMadeHere(const QString& path, int fd);
// True when path (not followed) names the regular file this process's creator last made there: only
// such a file is ours to remove by its name.
bool NamesFileMadeHere(const QString& path);
// Records the file open at fd as the one made under path (the creator's own bookkeeping).
void NoteFileMade(const QString& path, int fd);
// A made file renamed by name: what was recorded for from now stands for to.
void NoteFileRenamed(const QString& from, const QString& to);

// A new file "<target>.part" written through its descriptor, then flushed and renamed over the
// target, the folder flushed: the target holds its old content or the new one. The rename is made
// only while the part's name still names the file written. Dropped before Commit, the part goes.
class CReplacingFile {
public:
    explicit CReplacingFile(const QString& target);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    bool Open(QString* error);
    int descriptor() const { return m_fd; }
    bool Write(const QByteArray& bytes, QString* error);
    bool Commit(QString* error);

private:
    void Drop();
    QString m_target, m_part;
    int m_fd = -1;
};

// The bytes in a new file replacing the target (CReplacingFile). False with the reason, the target
// unchanged.
bool ReplaceWithNewFile(const QString& target, const QByteArray& bytes, QString* error);
// The bytes of the regular file at source (a link followed: the user may have picked it) in a new
// file replacing the target.
bool ReplaceWithCopy(const QString& source, const QString& target, QString* error);
// The same from a file open for reading, read from its start.
bool ReplaceWithCopyOf(int source, const QString& target, QString* error);

// A new folder of the program's own beside a target (".<name>.staging-XXXXXX", mode 0700) for a
// library that writes by name; removed with what is in it when dropped.
class CStagingFolder {
public:
    explicit CStagingFolder(const QString& target);
    ~CStagingFolder();
    CStagingFolder(const CStagingFolder&) = delete;
    CStagingFolder& operator=(const CStagingFolder&) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    const QString& error() const { return m_error; }
    QString filePath(const QString& name) const { return m_path + QLatin1Char('/') + name; }
    // The staged file (a regular file, never a link) flushed and renamed over target, which lies in
    // the staging folder's parent; the folder flushed. False with the reason, the target unchanged.
    // With kept, the file stays open for reading there once in place (the caller closes it).
    bool MoveIntoPlace(const QString& name, const QString& target, QString* error, int* kept = nullptr) const;

private:
    QString m_path, m_error;
};
