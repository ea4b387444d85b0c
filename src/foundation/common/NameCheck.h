#pragma once
// The shared check of names the user gives to projects, steps, files and library items.

#include <QString>

// Removes \ / : * ? " < > | ' from name in place and says so; a name that is empty or only
// blanks is refused too. True = refused (after its message), false = a good name.
bool IsInvalidName(QString& name);
