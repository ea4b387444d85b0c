#include "simulation/QuickResultsRefresh.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/quickresults/QuickResultsView.h"
#include "recipe/explorer/ProcessTree.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidgetItem>

namespace {

CProcessTree* QuickResultsExplorer()
{
    return dynamic_cast<CProcessTree*>(ServiceSlot<ProcessExplorerServices>::Get());
}

QList<CQuickResultsView*> QuickResultsViewsOf(long stepID)
{
    QList<CQuickResultsView*> views;
    if (const DocumentHost* host = ServiceSlot<DocumentHost>::Get()) {
        for (const HostedDocument& document : host->ListDocuments(DocumentKind::QuickResults)) {
            CQuickResultsView* view = CQuickResultsView::FromWindow(document.window);
            if (view && view->document().getStepID() == stepID)
                views << view;
        }
    }
    return views;
}

bool IsActiveTab(const QWidget* window)
{
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<const QMdiSubWindow*>(w))
            return sub->mdiArea() && sub->mdiArea()->activeSubWindow() == sub;
    }
    return false;
}

QString StepLabelOf(QTreeWidgetItem* operationItem)
{
    QTreeWidgetItem* unitProcedure = operationItem ? operationItem->parent() : nullptr;
    QTreeWidgetItem* step = unitProcedure ? unitProcedure->parent() : nullptr;
    return step ? step->text(0) : QString();
}

void CloseQuickResultsWindow(long stepID)
{
    if (DocumentHost* host = ServiceSlot<DocumentHost>::Get())
        host->CloseDocument(DocumentKind::QuickResults, stepID);
}

// Shows the view's operation again, else the next visible ones; false when none is left.
bool ReshowOrMoveOn(CQuickResultsView& view, long stepID, QTreeWidgetItem** found)
{
    *found = nullptr;
    const long operationID = view.document().getOperationID();
    if (view.showResults(stepID, operationID))
        return true;
    CProcessTree* explorer = QuickResultsExplorer();
    if (!explorer)
        return false;
    QTreeWidgetItem* after = explorer->FindOperationItem(stepID, operationID);
    for (;;) {
        long nextID = -1;
        *found = explorer->FindNextVisibleOperation(stepID, &nextID, after);
        if (nextID == -1)
            return false;
        if (view.showResults(stepID, nextID))
            return true;
        after = *found;
    }
}

} // namespace

void RefreshQuickResultsOfStep(long stepID)
{
    for (CQuickResultsView* view : QuickResultsViewsOf(stepID)) {
        QTreeWidgetItem* found = nullptr;
        if (!ReshowOrMoveOn(*view, stepID, &found)) {
            CloseQuickResultsWindow(stepID);
            continue;
        }
        if (found && IsActiveTab(view))
            QuickResultsExplorer()->SelectTreeItem(found);
        if (found)
            SetQuickResultsTitle(*view, found);
    }
}

void ShowQuickResultsWindow(long stepID, long operationID)
{
    if (!HasQuickResults(stepID, operationID)) {
        QvMessageBox(QStringLiteral("There are no results for the selected Operation."), MB_OK | MB_ICONINFORMATION);
        return;
    }
    DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!host)
        return;
    auto* view = CQuickResultsView::FromWindow(host->FindDocument(DocumentKind::QuickResults, stepID));
    if (!view) {
        view = new CQuickResultsView;
        view->showResults(stepID, operationID);
        host->AddDocTab(view, DocumentKind::QuickResults, stepID, QStringLiteral("Quick Results"));
    }
    host->ActivateDocument(DocumentKind::QuickResults, stepID);
    view->showResults(stepID, operationID);
    CProcessTree* explorer = QuickResultsExplorer();
    SetQuickResultsTitle(*view, explorer ? explorer->FindOperationItem(stepID, operationID) : nullptr);
}

void PointQuickResultsAt(long stepID, long operationID)
{
    CProcessTree* explorer = QuickResultsExplorer();
    for (CQuickResultsView* view : QuickResultsViewsOf(stepID)) {
        if (view->showResults(stepID, operationID))
            SetQuickResultsTitle(*view, explorer ? explorer->FindOperationItem(stepID, operationID) : nullptr);
    }
}

void SetQuickResultsTitle(CQuickResultsView& view, QTreeWidgetItem* operationItem)
{
    const QString stepLabel = StepLabelOf(operationItem);
    if (!stepLabel.isEmpty())
        view.SetStepLabel(stepLabel);
    QString title = QStringLiteral("Quick Results: ") + stepLabel;
    if (operationItem)
        title += QStringLiteral(" - ") + operationItem->text(0);
    view.setWindowTitle(title);
}

long ExplorerQuickResultsOperation(long* stepID)
{
    const ProcessTreeSelection selection = GetTreeSelection();
    *stepID = selection.stepID;
    if (selection.operationID != -1 || selection.stepID == -1)
        return selection.operationID;
    CProcessTree* explorer = QuickResultsExplorer();
    long operationID = -1;
    if (explorer)
        explorer->FindNextVisibleOperation(selection.stepID, &operationID, nullptr);
    return operationID;
}
