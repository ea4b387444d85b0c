#pragma once
// The project's working copy as both sides of the component hold it: set by path, required by
// every call that reads or writes it.

#include <QString>

class CDaoDatabase;

// Opens the working copy at path in the working-copy role; false for an empty or missing path or
// one that does not open.
bool OpenProjectWorkingCopy(CDaoDatabase& project, const QString& path);
// The open working copy; the component's error when none was set.
CDaoDatabase& RequireProjectWorkingCopy(CDaoDatabase& project);
