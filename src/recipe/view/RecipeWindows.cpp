#include "recipe/view/RecipeWindows.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "recipe/view/QuorvantaView.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

CRecipeWindows* CRecipeWindows::Installed()
{
    return dynamic_cast<CRecipeWindows*>(ServiceSlot<RecipeViewServices>::Get());
}

QList<CQUORVANTAView*> CRecipeWindows::Views(long stepID)
{
    QList<CQUORVANTAView*> views;
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!host)
        return views;
    for (const HostedDocument& document : host->ListDocuments(DocumentKind::ProjectRecipe)) {
        auto* view = qobject_cast<CQUORVANTAView*>(document.window);
        if (view && (stepID == -1 || view->stepID() == stepID))
            views << view;
    }
    return views;
}

void CRecipeWindows::RefreshRecipeViews()
{
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    const QList<HostedDocument> documents =
        host ? host->ListDocuments(DocumentKind::ProjectRecipe) : QList<HostedDocument>();
    for (const HostedDocument& document : documents) {
        auto* view = qobject_cast<CQUORVANTAView*>(document.window);
        if (!view)
            return; // a document without a view ends the refresh
        view->RebuildRecipe();
    }
}

void CRecipeWindows::ReloadRecipeViews(long stepID)
{
    RefreshStepRecipeViews(stepID, nullptr);
}

void CRecipeWindows::RelayoutRecipeViews(long stepID)
{
    for (CQUORVANTAView* view : Views(stepID)) {
        view->RecalcLayout();
        view->viewport()->update();
    }
}

void CRecipeWindows::RefreshRecipeText(long stepID)
{
    for (CQUORVANTAView* view : Views(stepID))
        view->RefreshRecipeText();
}

void CRecipeWindows::ReloadAllRecipeViews()
{
    for (CQUORVANTAView* view : Views())
        view->RebuildRecipe();
}

void CRecipeWindows::ApplyInsertMode(bool insertAfter, bool /*insertBefore*/)
{
    m_insertAfter = insertAfter;
    for (CQUORVANTAView* view : Views())
        view->OnActivateView(false); // copies the mode
}

void CRecipeWindows::RefreshStepRecipeViews(long stepID, QWidget* except)
{
    for (CQUORVANTAView* view : Views(stepID)) {
        if (view != except)
            view->RebuildRecipe();
    }
}

void CRecipeWindows::SelectRecipeLine(long stepID, int lineIndex)
{
    for (CQUORVANTAView* view : Views(stepID))
        view->SelectItem(lineIndex);
}

void CRecipeWindows::UpdateRecipeLineText(long stepID, long itemID, int itemType, const QString& text)
{
    for (CQUORVANTAView* view : Views(stepID))
        view->SetLineText(itemID, itemType, text);
}

void CRecipeWindows::SetRecipeItemText(long stepID, long itemID, int itemType, const QString& text)
{
    UpdateRecipeLineText(stepID, itemID, itemType, text);
}

void CRecipeWindows::ReloadRecipeLine(long stepID, long itemID, int itemType)
{
    for (CQUORVANTAView* view : Views(stepID))
        view->ReloadRecipeLine(itemID, itemType);
}

void CRecipeWindows::ReloadRecipeLines(long stepID, const QList<long>& itemIDs, int itemType)
{
    for (CQUORVANTAView* view : Views(stepID))
        view->ReloadRecipeLines(itemIDs, itemType);
}

bool CRecipeWindows::IsRecipeWindowOpen(long stepID) const
{
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    return host && host->FindDocument(DocumentKind::ProjectRecipe, stepID) != nullptr;
}

bool CRecipeWindows::DeleteItemInRecipeView(long stepID, long itemID, int itemType)
{
    return ::DeleteItemInRecipeView(stepID, itemID, itemType);
}

void CRecipeWindows::CloseStepRecipeWindows(long /*processID*/, long stepID)
{
    DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    while (host && host->FindDocument(DocumentKind::ProjectRecipe, stepID)) {
        if (!host->CloseDocument(DocumentKind::ProjectRecipe, stepID))
            return;
    }
}

void CRecipeWindows::UpdateRecipeWindowTitle(long stepID, const QString& title)
{
    for (CQUORVANTAView* view : Views(stepID)) {
        view->identity().stepTitle = title;
        view->setWindowTitle(QStringLiteral("Recipe: ") + title);
    }
}

void CRecipeWindows::ApplyPendingPlacement(CQUORVANTAView* view)
{
    if (m_pendingPlacement.isNull())
        return;
    QWidget* frame = view->parentWidget() ? view->parentWidget() : view;
    frame->setGeometry(std::exchange(m_pendingPlacement, QRect()));
}

CQUORVANTAView* GetActiveRecipeView()
{
    for (CQUORVANTAView* view : CRecipeWindows::Views()) {
        auto* sub = qobject_cast<QMdiSubWindow*>(view->parentWidget());
        const bool active = sub && sub->mdiArea() ? sub->mdiArea()->activeSubWindow() == sub
                                                  : view->isAncestorOf(QApplication::focusWidget()) ||
                                                        view == QApplication::focusWidget();
        if (active)
            return view;
    }
    return nullptr;
}

CQUORVANTAView* GetRecipeViewOfStep(long stepID)
{
    const QList<CQUORVANTAView*> views = CRecipeWindows::Views(stepID);
    return views.isEmpty() ? nullptr : views.first();
}

std::function<QWidget*()> InstallRecipeViews(ServiceInstallations& installed)
{
    installed.Install<RecipeViewServices>(installed.Keep(std::make_unique<CRecipeWindows>()));
    return [] { return new CQUORVANTAView; };
}
