#pragma once
// A name read from the open project database for messages and report titles.

#include <QString>

// The first column of the first row sql (one bound id) gives on the open project database; empty
// without a project or when the read fails.
QString ReadProjectText(const char* sql, long id);
