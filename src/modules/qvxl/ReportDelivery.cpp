#include "modules/qvxl/ReportDelivery.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/common/DesktopOpener.h"
#include "foundation/common/FileDialogService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/DatabaseFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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

// The workbook written beside its place, flushed, and moved there whole.
bool WriteReportInPlace(const QString& path, const QList<ReportSheet>& sheets)
{
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    bool written = WriteReportWorkbook(partial, sheets);
    if (written) {
        SyncFile(partial);
        QFile::remove(path);
        written = QFile::rename(partial, path);
    }
    if (!written) {
        QFile::remove(partial);
        return false;
    }
    SyncFolderOf(path);
    return true;
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
    bool written = false;
    try {
        written = WriteReportInPlace(path, sheets);
    } catch (const CDaoException& error) { // a flush to disk failed
        reason = QLatin1Char('\n') + error.GetErrorDescription();
    }
    if (!written)
        return ReportFailure(
            QStringLiteral("The report could not be written to %1.").arg(QDir::toNativeSeparators(path)) +
            reason);
    if (ReportWindowShows() && !ScriptedReportScope::Active())
        OpenOnDesktop(path);
    return true;
}
