#pragma once
// The folders this program unpacked packages into, and those it tied to a package by packing them
// (Save As Compound File, Manage Compound File), listed in the user's application data folder with
// each folder's identity (device, inode and birth time). A folder's own location file can be
// copied, moved or written by anyone; only this list proves that a folder is the program's to empty
// or to unpack into again (an unpack), or that its package is the one a save writes back (either).

#include <QString>

namespace UnpackRegistry {
// Lists folder as unpacked from package (replacing what was listed for that path) and makes the
// list durable; entries of folders that are gone are dropped. False when the list cannot be
// written.
bool Register(const QString& folder, const QString& package);
// True when the list names this folder, as it is now, unpacked from package.
bool Holds(const QString& folder, const QString& package);
// Lists folder as tied to package by a pack (replacing the tie listed for that path); false when
// the list cannot be written.
bool Tie(const QString& folder, const QString& package);
// True when the list names this folder, as it is now, unpacked from package or tied to it.
bool Ties(const QString& folder, const QString& package);
// The list's file.
QString FilePath();
} // namespace UnpackRegistry
