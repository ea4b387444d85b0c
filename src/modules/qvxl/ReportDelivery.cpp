#include "modules/qvxl/ReportDelivery.h"

#include "foundation/common/AutomationFlag.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NewFile.h"
#include "foundation/common/concerns/AppContext.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>

namespace {
bool ReportWindowShows()
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized())
            return true;
    }
    return false;
}

QString ChooseReportPath(const QString& title, const QString& scope)
{
    const QString initial = QDir(GetProjectDir()).filePath(DefaultReportFileName(title, scope));
    if (ScriptedReportScope::Active() || (g_bAutomationActive && !ReportWindowShows()))
        return initial;
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.title = title;
    request.initialPath = initial;
    request.filter = QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx||");
    request.defaultExtension = QStringLiteral("xlsx");
    return ChooseFile(request);
}

// The workbook written in a staging folder of our own (the workbook library writes by name), then
// flushed and renamed over its place in one step, so the place holds the old workbook or the new one
// and never neither. False with the reason (empty when the workbook itself could not be written)
// when any step fails.
bool WriteReportInPlace(const QString& path, const QList<ReportSheet>& sheets, QString& reason)
{
    const CStagingFolder staging(path);
    const QString name = QFileInfo(path).fileName();
    if (!staging.isValid())
        return false; // nothing can be made in that folder: the workbook itself cannot be written
    return WriteReportWorkbook(staging.filePath(name), sheets) && staging.MoveIntoPlace(name, path, &reason);
}
} // namespace

QString DefaultReportFileName(const QString& title, const QString& scope)
{
    QString name = title + QStringLiteral(" - ") + scope + QStringLiteral(".xlsx");
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    return name.replace(unsafe, QStringLiteral("_"));
}

static QString& lastReportFailureText()
{
    static QString text;
    return text;
}

static bool g_scriptedReport = false;

ScriptedReportScope::ScriptedReportScope() : m_previous(g_scriptedReport)
{
    g_scriptedReport = true;
}

ScriptedReportScope::~ScriptedReportScope()
{
    g_scriptedReport = m_previous;
}

bool ScriptedReportScope::Active()
{
    return g_scriptedReport;
}

QString LastReportFailure()
{
    return lastReportFailureText();
}

void ClearReportFailure()
{
    lastReportFailureText().clear();
}

bool ReportFailure(const QString& text)
{
    lastReportFailureText() = text;
    if (!ScriptedReportScope::Active())
        QvMessageBox(text, MB_ICONSTOP);
    return false;
}

bool DeliverReport(const QString& title, const QString& scope, const QList<ReportSheet>& sheets)
{
    const QString path = ChooseReportPath(title, scope);
    if (path.isEmpty())
        return false;
    QString reason;
    if (!WriteReportInPlace(path, sheets, reason)) {
        QString text =
            QStringLiteral("The report could not be written to %1.").arg(QDir::toNativeSeparators(path));
        if (!reason.isEmpty())
            text += QLatin1Char('\n') + reason;
        return ReportFailure(text);
    }
    if (ReportWindowShows() && !ScriptedReportScope::Active())
        OpenOnDesktop(path);
    return true;
}
