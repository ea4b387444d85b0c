#include "preferences/options/MessageHiddenDlg.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/QVPropertySheet.h"
#include "modules/errmsg/MessageCatalogue.h"
#include "modules/qvdataio/InterfaceHiddenMessageData.h"
#include "preferences/options/MessageHiddenTab.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

QRect CMessageHiddenDlg::s_placement;

namespace {
constexpr long HIDDEN_MESSAGES_HELP_TOPIC = 22;
constexpr int HIDDEN_HELP_BUTTON = 18473;
} // namespace

CMessageHiddenDlg::CMessageHiddenDlg(QWidget* parent)
    : QDialog(parent), m_sheet(new CQVPropertySheet(QString(), this))
{
    setObjectName(QStringLiteral("477"));
    setWindowTitle(QStringLiteral("Select Messages to Hide"));
    setSizeGripEnabled(true);
    m_sheet->SetChildMode();
    Array<long> hidden;
    m_bHiddenRead = CInterfaceHiddenMessageData().getAllHiddenMessageData(hidden);
    const std::pair<const char*, Array<long>*> tabs[] = {
        {"Warnings", &m_warnings}, {"Notes", &m_notes}, {"Defaults", &m_defaults}};
    for (auto [title, target] : tabs) {
        auto* tab = new CMessageHiddenTab(QString::fromLatin1(title), hidden, m_bHiddenRead, *target);
        m_tabs.push_back(tab);
        m_sheet->AddPage(tab->objectName(), [tab] { return tab; });
    }
    // Every tab made and its ids taken, Warnings in front.
    for (int index : {1, 2, 0})
        m_sheet->SetActivePage(index);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Help)->setObjectName(QString::number(HIDDEN_HELP_BUTTON));
    connect(buttons, &QDialogButtonBox::accepted, this, &CMessageHiddenDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CMessageHiddenDlg::OnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sheet, 1);
    layout->addWidget(buttons);
    resize(640, 480);
}

CMessageHiddenTab* CMessageHiddenDlg::tab(int index) const
{
    return index >= 0 && index < int(m_tabs.size()) ? m_tabs[size_t(index)] : nullptr;
}

// The first opening of the run keeps the place the window system gave it; later ones go there.
void CMessageHiddenDlg::showEvent(QShowEvent* event)
{
    if (!s_placement.isNull())
        setGeometry(s_placement);
    QDialog::showEvent(event);
    if (s_placement.isNull())
        s_placement = geometry();
}

int CMessageHiddenDlg::DoModal()
{
    return exec() == IDOK ? IDOK : IDCANCEL;
}

void CMessageHiddenDlg::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HIDDEN_MESSAGES_HELP_TOPIC);
}

void CMessageHiddenDlg::OnOK()
{
    if (CMessageHiddenTab* active = tab(m_sheet->GetActiveIndex()))
        active->OnKillActive();
    done(m_bHiddenRead && Store() ? IDOK : IDCANCEL);
}

// The three lists as the complete hidden set: stored, then the filter's copy and the project's mark.
bool CMessageHiddenDlg::Store()
{
    Array<long> joined;
    joined.Append(m_defaults);
    joined.Append(m_warnings);
    joined.Append(m_notes);
    CInterfaceHiddenMessageData data;
    if (!data.setHiddenMessageIDs(joined)) {
        QvMessageBox(data.lastError());
        return false;
    }
    CMessageCatalogue::Instance().SetHiddenIDs(QSet<long>(joined.begin(), joined.end()));
    SetProjectModified(true);
    return true;
}
