#pragma once
// Creating a file in a project or working folder. Such a folder may come from someone else, with a
// symbolic link under a name the program writes: a file is therefore always made new (O_CREAT |
// O_EXCL | O_NOFOLLOW), never opened through a link, and a link in its place is refused and
// named. A plain file of that name that an earlier run left is replaced only where the caller says.
// Nothing is written in place as the file it is: it may be a hard link to a file anywhere.

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
// The bytes in a new, flushed "<target>.part" renamed over the target, the folder flushed: the
// target holds its old content or the new one, and a link under the target's name is replaced, not
// written through. False with the reason, the target unchanged.
bool ReplaceWithNewFile(const QString& target, const QByteArray& bytes, QString* error);
