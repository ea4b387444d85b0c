#pragma once
// Where a report goes: the path the user chooses (default: the project folder, "<title> -
// <scope>.xlsx"; unasked while automation runs with no window showing), written under a temporary
// name, flushed and renamed into place, then opened on the desktop while the program's window shows.

#include "modules/qvxl/ReportWorkbook.h"

// True when the workbook stands at the chosen path; Cancel answers false and writes nothing; a
// failed write shows one message naming the file (and the system's reason on a line of its own
// when it gave one) and leaves the workbook that stood there.
bool DeliverReport(const QString& title, const QString& scope, const QList<ReportSheet>& sheets);

// "<title> - <scope>.xlsx" with the characters a file name cannot hold replaced by '_'.
QString DefaultReportFileName(const QString& title, const QString& scope);

// One message for a report that cannot be built; always false.
bool ReportFailure(const QString& text);
// The text of the last failure shown ("" after ClearReportFailure), for a script's Failed outcome.
QString LastReportFailure();
void ClearReportFailure();

// While one stands, reports are for a script: the default path unasked, failures kept for the
// caller (LastReportFailure) and shown to nobody.
class ScriptedReportScope {
public:
    ScriptedReportScope();
    ~ScriptedReportScope();
    ScriptedReportScope(const ScriptedReportScope&) = delete;
    ScriptedReportScope& operator=(const ScriptedReportScope&) = delete;
    static bool Active();

private:
    bool m_previous;
};
