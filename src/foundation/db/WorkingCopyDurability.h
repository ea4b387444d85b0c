#pragma once
// Flushing working copies to disk where the program ends without a save: what their last
// transactions wrote (the write-ahead log is not flushed at each commit) survives a power loss.

#include <QStringList>

// Flushes each database file, its -wal when there is one, and each folder holding them once.
// False when a file could not be flushed; the others are flushed all the same.
bool MakeWorkingCopiesDurable(const QStringList& workingCopies);
