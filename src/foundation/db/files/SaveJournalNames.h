#pragma once
// The files a save journal may act on. A save journals only the project's own file set in the
// journal's folder: "<name>.prj/.eqm/.mtl" (or ".qvt/.eqt/.mtt" for a template), "STEP_<id>.STP"
// and the plans' sequence files, each written first as "<target>.tmp" beside it. A journal that
// names anything else was not written by a save of that project and is never acted on.

#include <QString>

// The project name a journal belongs to: "Demo" for ".../Demo.prj.save".
QString JournalProjectName(const QString& journalPath);

// True when target is a plain file name of the project's file set and temporary is target + ".tmp".
bool IsJournalEntryAllowed(const QString& temporary, const QString& target, const QString& projectName);

// Where a journal that names other files is set aside: "<journal>.rejected".
inline QString RejectedJournalPath(const QString& journalPath)
{
    return journalPath + QStringLiteral(".rejected");
}
