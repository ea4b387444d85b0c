#pragma once
// instr() and replace() for a report connection. The engine's own versions compare at every
// position of their first argument without reaching the stop check, so one call over values of a
// few megabytes holds a report for minutes that Cancel cannot end. These give the engine's results
// (NULLs, an empty pattern, blobs and text read as the engine reads them, the value limit) and ask
// the stop check every few thousand positions, sooner where each comparison is long: a stopped
// call fails as interrupted.

struct sqlite3;

struct ReportSearchStop {
    int (*stopped)(void* data); // nonzero: stop
    void* data;
};

// Puts instr() and replace() over the engine's on db only; stop outlives db. False when the engine
// refuses.
bool InstallReportSearchFunctions(sqlite3* db, const ReportSearchStop* stop);
