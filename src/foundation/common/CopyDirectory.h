#pragma once
// Recursive folder copy. Each file goes through a copy function, so that database files can be
// handed to the database layer's copy; the default copies the bytes and never overwrites.

#include <QString>

#include <functional>

using FileCopyFunction = std::function<bool(const QString& from, const QString& to)>;

bool CopyFileBytes(const QString& from, const QString& to);

// Creates destination, copies every file of source into it and recurses into sub-folders.
// The first failure shows "Failed to create directory %s" or "Failed to copy file from %s to %s"
// and ends the copy with false. A destination inside source is not copied into itself.
bool CopyDirectory(const QString& source, const QString& destination,
                   const FileCopyFunction& copyFile = CopyFileBytes);
