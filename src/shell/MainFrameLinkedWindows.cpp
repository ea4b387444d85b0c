// The result windows linked to a step or a process, closed when it leaves the project: schedule and
// 3-D windows by the results file they show, Quick Results by its step. Recipe windows stay.

#include "results/ResultWindowDocument.h"
#include "shell/MainFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// "QVSTEP_12.mdb" shows kind "QVSTEP" and id 12.
bool ShowsResultsFile(const QWidget* window, const QString& kind, long id)
{
    const auto* results = dynamic_cast<const ResultWindowDocument*>(window);
    if (!results)
        return false;
    const QString file = results->ResultsFileName();
    return file.startsWith(kind + QLatin1Char('_'), Qt::CaseInsensitive) &&
           file.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0) == QString::number(id);
}
} // namespace

void CMainFrame::CloseStepLinkedWindows(long stepID)
{
    closeResultWindows(QStringLiteral("QVSTEP"), stepID);
    CloseDocument(DocumentKind::QuickResults, stepID);
}

void CMainFrame::CloseProcessLinkedWindows(long processID)
{
    closeResultWindows(QStringLiteral("QVPROC"), processID);
}

void CMainFrame::closeResultWindows(const QString& kind, long id)
{
    QList<QWidget*> closing;
    for (DocumentKind documentKind : {DocumentKind::Gantt, DocumentKind::Facility3D}) {
        for (const HostedDocument& document : ListDocuments(documentKind)) {
            if (ShowsResultsFile(document.window, kind, id))
                closing << document.window;
        }
    }
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        if (closing.contains(sub->widget()))
            sub->close();
    }
}
