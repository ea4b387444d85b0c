#pragma once
// Flushing working copies to disk where the program ends without a save. Their connections flush
// every commit as it is made (synchronous=FULL), so this normally finds nothing left to write; it
// makes sure of the files and their folders once more before the session ends.

#include <QStringList>

// Flushes each database file, its -wal when there is one, and each folder holding them once.
// False when a file could not be flushed; the others are flushed all the same.
bool MakeWorkingCopiesDurable(const QStringList& workingCopies);
