#include "foundation/controls/QVPropertySheet.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/QVPropertyPage.h"

#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

CQVPropertySheet::CQVPropertySheet(const QString& caption, QWidget* parent, bool withApplyButton)
    : QDialog(parent), m_tabs(new QTabBar(this)), m_stack(new QStackedWidget(this))
{
    setWindowTitle(caption);
    auto buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    if (withApplyButton)
        buttons |= QDialogButtonBox::Apply;
    m_buttons = new QDialogButtonBox(buttons, this);
    m_applyButton = m_buttons->button(QDialogButtonBox::Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_buttons);
    connect(m_tabs, &QTabBar::currentChanged, this, &CQVPropertySheet::OnTabChanged);
    connect(m_buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] { PressOK(); });
    connect(m_buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
            [this] { PressCancel(); });
    if (m_applyButton)
        connect(m_applyButton, &QPushButton::clicked, this, [this] { PressApply(); });
}

CQVPropertySheet::~CQVPropertySheet() = default;

int CQVPropertySheet::AddPage(const QString& title, PageFactory factory)
{
    m_pages.push_back({title, std::move(factory), nullptr});
    m_stack->addWidget(new QWidget(m_stack)); // placeholder until the page is made
    QSignalBlocker block(m_tabs);
    m_tabs->addTab(title);
    return int(m_pages.size()) - 1;
}

CQVPropertyPage* CQVPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[index].page : nullptr;
}

CQVPropertyPage* CQVPropertySheet::CreatePage(int index)
{
    PageSlot& slot = m_pages[index];
    if (slot.page)
        return slot.page;
    slot.page = slot.factory();
    QWidget* placeholder = m_stack->widget(index);
    m_stack->insertWidget(index, slot.page);
    m_stack->removeWidget(placeholder);
    delete placeholder;
    return slot.page;
}

bool CQVPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return false;
    if (index == m_activeIndex)
        return true;
    CQVPropertyPage* current = GetPage(m_activeIndex);
    if (current && !current->OnKillActive()) {
        QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_activeIndex);
        return false;
    }
    CQVPropertyPage* page = CreatePage(index);
    m_activeIndex = index;
    m_stack->setCurrentIndex(index);
    QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(index);
    page->OnSetActive();
    return true;
}

void CQVPropertySheet::OnTabChanged(int index)
{
    SetActivePage(index);
}

void CQVPropertySheet::showEvent(QShowEvent* event)
{
    if (m_activeIndex < 0 && GetPageCount() > 0)
        SetActivePage(0);
    QDialog::showEvent(event);
}

bool CQVPropertySheet::ApplyCreatedPages()
{
    CQVPropertyPage* current = GetPage(m_activeIndex);
    if (current && !current->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CQVPropertyPage* page = m_pages[i].page;
        if (page && !page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    return true;
}

bool CQVPropertySheet::PressApply()
{
    return ApplyCreatedPages();
}

bool CQVPropertySheet::PressOK()
{
    if (!ApplyCreatedPages())
        return false;
    done(IDOK);
    return true;
}

void CQVPropertySheet::PressCancel()
{
    reject();
}

void CQVPropertySheet::reject()
{
    for (const PageSlot& slot : m_pages)
        if (slot.page)
            slot.page->OnCancel();
    done(IDCANCEL);
}

int CQVPropertySheet::DoModal()
{
    return exec() == IDOK ? IDOK : IDCANCEL;
}

QPushButton* CQVPropertySheet::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void CQVPropertySheet::AddHelpButton()
{
    if (m_helpButton)
        return;
    m_helpButton = m_buttons->addButton(QDialogButtonBox::Help);
    m_helpButton->setObjectName(QStringLiteral("9"));
    connect(m_helpButton, &QPushButton::clicked, this, [this] { OnHelp(); });
}

void CQVPropertySheet::SetChildMode()
{
    m_buttons->hide();
    setWindowFlags(Qt::Widget);
    layout()->setContentsMargins(0, 0, 0, 0);
}
