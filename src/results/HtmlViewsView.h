#pragma once
// The HTML view window: a CHView showing its document's address, printable as shown.

#include "foundation/common/concerns/CommandTarget.h"
#include "results/HView.h"
#include "results/HtmlViewsDoc.h"

class DocumentHost;

class CHtmlViewsView : public CHView, public CommandTarget {
    Q_OBJECT
public:
    explicit CHtmlViewsView(QWidget* parent = nullptr) : CHView(parent) {}

    // The frame's Back, Forward, Home, Refresh and Stop act on the active view.
    bool HandlesCommand(int commandID) const override
    {
        return commandID >= ID_HTML_REFRESH && commandID <= ID_HTML_FORWARD;
    }
    bool IsCommandEnabled(int commandID) const override { return CHView::IsCommandEnabled(commandID); }
    void OnCommand(int commandID) override { CHView::OnCommand(commandID); }

    CHtmlViewsDoc& Document() { return m_document; }
    // Shows the document's address (under a wait cursor).
    void OnInitialUpdate();

private:
    CHtmlViewsDoc m_document;
};

// The "HTML Views" kind's window factory.
QWidget* CreateHtmlViewWindow();

// Opens a new HTML view tab on the address, keyed by a running number; null without a host.
CHtmlViewsView* OpenHtmlView(DocumentHost& host, const QString& address, const QString& title);

// The home-page command: a local home page opens a "Web View" tab when a project is open;
// anything else goes to the desktop's handler.
void OpenHomePage(DocumentHost* host, bool projectOpen);
