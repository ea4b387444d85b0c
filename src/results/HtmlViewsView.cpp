#include "results/HtmlViewsView.h"

#include "foundation/common/DesktopOpener.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/DocumentHost.h"

void CHtmlViewsView::OnInitialUpdate()
{
    WaitCursor wait;
    Navigate2(m_document.Address());
}

QWidget* CreateHtmlViewWindow()
{
    return new CHtmlViewsView;
}

CHtmlViewsView* OpenHtmlView(DocumentHost& host, const QString& address, const QString& title)
{
    static long nextHtmlViewID = 1;
    auto* view = qobject_cast<CHtmlViewsView*>(host.OpenDocument(DocumentKind::HtmlView, nextHtmlViewID++, title));
    if (!view)
        return nullptr;
    view->Document().SetAddress(address);
    view->OnInitialUpdate();
    return view;
}

void OpenHomePage(DocumentHost* host, bool projectOpen)
{
    const QString home = CHView::HomePageAddress();
    if (host && projectOpen && CHView::LocalUrl(home).isValid())
        OpenHtmlView(*host, home, QStringLiteral("Web View"));
    else
        OpenOnDesktop(home);
}
