#include "preferences/hub/Preference.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/PreferencesSet.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const HUB_NO_MEMORY = "This is not enough memory! Close some running application, and try again.";

struct HubButton {
    int id;
    int icon;
    const char* label;
    int row;
    int column;
};

const HubButton HUB_BUTTONS[] = {
    {1008, 505, "Route Selection", 0, 0}, {1048, 509, "Unit of Measure", 0, 1},
    {1047, 512, "Model Selection", 0, 2}, {1050, 515, "Stream Categories", 0, 3},
    {1052, 518, "Equipment Diagram", 0, 4}, {1372, 506, "Global Defaults", 1, 0},
    {1049, 510, "Cost Factors", 1, 1},    {1051, 513, "Physical Property", 1, 2},
    {1373, 516, "Range Type", 1, 3},      {1374, 519, "Labor", 1, 4},
    {1375, 507, "Language", 2, 0},        {1376, 511, "Operating Instructions", 2, 1},
    {1377, 514, "Calendar", 2, 2},        {1378, 517, "Vapor Emission", 2, 3},
    {1379, 520, "Comment Type", 2, 4},    {1380, 508, "Rounding", 3, 0},
};

} // namespace

CPreference::CPreference(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Preferences"));
    BuildLayout();
    ReadName();
    m_nameEdit->setText(m_strName);
}

void CPreference::BuildLayout()
{
    auto* grid = new QGridLayout;
    for (const HubButton& entry : HUB_BUTTONS) {
        QPushButton* button = AddIconButton(grid, entry.id, entry.row * 2, entry.column);
        button->setIcon(PreferenceIcon(entry.icon));
        auto* label = new QLabel(QString::fromLatin1(entry.label));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        grid->addWidget(label, entry.row * 2 + 1, entry.column);
    }
    m_nameEdit = new QLineEdit;
    m_nameEdit->setObjectName(QString::number(EDIT_NAME));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Preferences Name :")));
    nameRow->addWidget(m_nameEdit, 1);
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QString::number(IDOK));
    close->setDefault(true);
    nameRow->addWidget(close);
    auto* group = new QGroupBox;
    group->setLayout(nameRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(group);
    connect(close, &QPushButton::clicked, this, &CPreference::OnOK);
    EnableEntryButtons(); // the buttons are the dialog's children from here on
}

QPushButton* CPreference::AddIconButton(QGridLayout* grid, int id, int row, int column)
{
    auto* button = new QPushButton;
    button->setObjectName(QString::number(id));
    button->setIconSize(QSize(32, 32));
    button->setMinimumSize(QSize(64, 44));
    button->setAutoDefault(false);
    grid->addWidget(button, row, column, Qt::AlignHCenter);
    connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
    return button;
}

QPushButton* CPreference::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

// The name of the first Preferences row; a database error leaves the names as they were.
void CPreference::ReadName()
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database) {
        QvMessageBox(QString::fromLatin1(HUB_NO_MEMORY));
        return;
    }
    CPreferencesSet set(database);
    try {
        set.Open();
        if (!set.IsEOF()) {
            m_strName = set.GetText(QStringLiteral("Description"));
            m_strLoadedName = m_strName;
        }
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    set.Close();
}

int CPreference::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

// An unchanged name (case counts) closes without a write; a changed one edits the first row only,
// in one transaction, and marks the project modified after the commit.
void CPreference::OnOK()
{
    m_strName = m_nameEdit->text();
    if (m_strName == m_strLoadedName) {
        accept();
        return;
    }
    if (WriteName())
        accept();
}

bool CPreference::WriteName()
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database) {
        QvMessageBox(QString::fromLatin1(HUB_NO_MEMORY));
        return false;
    }
    CPreferencesSet set(database);
    try {
        CDaoTransaction transaction(*database);
        set.Open();
        if (!set.IsEOF()) {
            set.Edit();
            set.SetText(QStringLiteral("Description"), m_strName);
            set.Update();
        }
        set.Close();
        transaction.Commit();
    } catch (const CDaoException& error) {
        set.Close();
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    SetProjectModified(true);
    return true;
}

void CPreference::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HELP_TOPIC);
}

void CPreference::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        OnHelp();
    else
        QDialog::keyPressEvent(event);
}

bool RunPreferenceHub(QWidget* parent)
{
    CPreference hub(parent);
    hub.DoModal();
    return hub.m_bRoundingSaved;
}
