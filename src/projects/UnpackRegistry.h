#pragma once
// The folders this program unpacked packages into, listed in the user's application data folder
// with each folder's identity (device, inode and birth time). A folder's own location file can be copied,
// moved or written by anyone; only this list proves that a folder is the program's to empty or to
// unpack into again.

#include <QString>

namespace UnpackRegistry {
// Lists folder as unpacked from package (replacing what was listed for that path) and makes the
// list durable; entries of folders that are gone are dropped. False when the list cannot be
// written.
bool Register(const QString& folder, const QString& package);
// True when the list names this folder, as it is now, unpacked from package.
bool Holds(const QString& folder, const QString& package);
// The list's file.
QString FilePath();
} // namespace UnpackRegistry
