#include "preferences/options/ToolOptionPage.h"

#include "preferences/options/OptionPageWindow.h"

CToolOptionPage::~CToolOptionPage()
{
    QObject::disconnect(m_windowGone);
}

CQVPropertyPage* CToolOptionPage::CreateWindow()
{
    auto* window = new COptionPageWindow(this);
    window->setObjectName(Title());
    m_window = window;
    m_windowGone = QObject::connect(window, &QObject::destroyed, [this] { m_window = nullptr; });
    BuildControls(window);
    OnInitDialog();
    DoDataExchange(false);
    return window;
}

bool COptionPageWindow::OnKillActive()
{
    return m_page->OnKillActive();
}

bool COptionPageWindow::OnApply()
{
    return m_page->OnApply();
}

void COptionPageWindow::OnCancel()
{
    m_page->OnReset();
}
