// The main frame's document host: tabbed windows keyed by (kind, id).

#include "shell/DocumentRegistry.h"
#include "shell/DocumentSubWindow.h"
#include "shell/MainFrame.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVariant>

namespace {
const char* const KIND_PROPERTY = "qvDocumentKind";
const char* const ID_PROPERTY = "qvDocumentID";
} // namespace

QMdiSubWindow* CMainFrame::findSubWindow(DocumentKind kind, long id) const
{
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        const QVariant storedKind = sub->property(KIND_PROPERTY);
        if (storedKind.isValid() && storedKind.toInt() == int(kind) &&
            sub->property(ID_PROPERTY).toLongLong() == id)
            return sub;
    }
    return nullptr;
}

QWidget* CMainFrame::FindDocument(DocumentKind kind, long id) const
{
    QMdiSubWindow* sub = findSubWindow(kind, id);
    return sub ? sub->widget() : nullptr;
}

bool CMainFrame::ActivateDocument(DocumentKind kind, long id)
{
    QMdiSubWindow* sub = findSubWindow(kind, id);
    if (sub)
        m_mdiArea->setActiveSubWindow(sub);
    return sub != nullptr;
}

bool CMainFrame::CloseDocument(DocumentKind kind, long id)
{
    QMdiSubWindow* sub = findSubWindow(kind, id);
    return sub && sub->close();
}

void CMainFrame::AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title)
{
    auto* sub = new CDocumentSubWindow;
    sub->setWidget(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty(KIND_PROPERTY, int(kind));
    sub->setProperty(ID_PROPERTY, qlonglong(id));
    m_mdiArea->addSubWindow(sub);
    window->setWindowTitle(title);
    sub->RetitleTab(); // a title the window had before it met the area
    sub->show();
    m_mdiArea->setActiveSubWindow(sub);
}

QWidget* CMainFrame::OpenDocument(DocumentKind kind, long id, const QString& title)
{
    if (QMdiSubWindow* sub = findSubWindow(kind, id)) {
        m_mdiArea->setActiveSubWindow(sub);
        return sub->widget();
    }
    const DocumentTemplate* kindTemplate =
        m_documentRegistry ? m_documentRegistry->Find(DocumentKindName(kind)) : nullptr;
    QWidget* window = nullptr;
    if (kindTemplate && kindTemplate->createKeyedWindow)
        window = kindTemplate->createKeyedWindow(id);
    else if (kindTemplate && kindTemplate->createWindow)
        window = kindTemplate->createWindow();
    if (window)
        AddDocTab(window, kind, id, title);
    return window;
}

QList<HostedDocument> CMainFrame::ListDocuments(DocumentKind kind) const
{
    QList<HostedDocument> documents;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        const QVariant storedKind = sub->property(KIND_PROPERTY);
        if (storedKind.isValid() && storedKind.toInt() == int(kind))
            documents.append({long(sub->property(ID_PROPERTY).toLongLong()), sub->widget()});
    }
    return documents;
}
