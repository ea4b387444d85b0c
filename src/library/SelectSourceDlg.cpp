#include "library/SelectSourceDlg.h"

#include "foundation/common/MessageBox.h"
#include "modules/ravelstock/LibraryComponentError.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CSelectSourceDlg::CSelectSourceDlg(const QString& kind, const QString& name, QWidget* parent)
    : QDialog(parent), m_strName(name),
      m_strLineOne(QStringLiteral("The %1 %2 exists in both the current Project and the imported Data.").arg(kind, name)),
      m_strLineTwo(QStringLiteral("For simulations use data for %1 %2 from:").arg(kind, name)),
      m_strPlural(QStringLiteral("%1s.").arg(kind))
{
    setWindowTitle(QStringLiteral("Select Source"));
    BuildWidgets();
    m_current->setChecked(true);
    ShowNewNameControls(false);
}

void CSelectSourceDlg::BuildWidgets()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_strLineOne, this));
    layout->addWidget(new QLabel(m_strLineTwo, this));
    m_current = new QRadioButton(QStringLiteral("&Current Project"), this);
    m_external = new QRadioButton(QStringLiteral("&External Project"), this);
    layout->addWidget(m_current);
    auto* forAll = new QHBoxLayout;
    m_forAllBox = new QCheckBox(QStringLiteral("&Use data from the current project for all remaining"), this);
    m_forAllBox->setChecked(m_forAllRemaining != 0);
    m_pluralLabel = new QLabel(m_strPlural, this);
    forAll->addWidget(m_forAllBox);
    forAll->addWidget(m_pluralLabel);
    layout->addLayout(forAll);
    layout->addWidget(m_external);
    m_newNameLabel = new QLabel(QStringLiteral("&Enter new name:"), this);
    m_newNameEdit = new QLineEdit(this);
    m_newNameLabel->setBuddy(m_newNameEdit);
    layout->addWidget(m_newNameLabel);
    layout->addWidget(m_newNameEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(m_current, &QRadioButton::clicked, this, [this] { OnCurrentProject(); });
    connect(m_external, &QRadioButton::clicked, this, [this] { OnExternalProject(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { OnOK(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { OnCancel(); });
}

void CSelectSourceDlg::ShowNewNameControls(bool shown)
{
    m_newNameLabel->setVisible(shown);
    m_newNameEdit->setVisible(shown);
    m_forAllBox->setVisible(!shown);
    m_pluralLabel->setVisible(!shown);
}

void CSelectSourceDlg::OnCurrentProject()
{
    m_currentSelected = 1;
    m_externalSelected = 0;
    m_current->setChecked(true);
    m_newNameEdit->clear();
    ShowNewNameControls(false);
}

void CSelectSourceDlg::OnExternalProject()
{
    m_currentSelected = 0;
    m_externalSelected = 1;
    m_external->setChecked(true);
    m_newNameEdit->setText(QStringLiteral("%1 (%2)").arg(m_strName).arg(2));
    ShowNewNameControls(true);
}

void CSelectSourceDlg::ReadControls()
{
    m_strNewName = m_newNameEdit->text();
    m_forAllRemaining = m_forAllBox->isChecked() ? 1 : 0;
}

void CSelectSourceDlg::OnOK()
{
    ReadControls();
    if (m_currentSelected) {
        accept();
        return;
    }
    if (m_strNewName.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a new name for %1.").arg(m_strName));
        return;
    }
    m_forAllRemaining = 0;
    m_forAllBox->setChecked(false);
    bool taken = true;
    try {
        taken = NewNameTaken(m_strNewName);
    } catch (const CLibraryComponentError& e) {
        QvMessageBox(e.Description(), MB_OK | MB_ICONSTOP);
        return;
    }
    if (taken) {
        QvMessageBox(QStringLiteral("%1 already exists in the current Project.\nPlease enter a new name for %2 in the "
                                    "imported Data.")
                         .arg(m_strNewName, m_strName));
        return;
    }
    m_useCurrent = 0;
    accept();
}

void CSelectSourceDlg::OnCancel()
{
    m_cancelled = 1;
    QDialog::reject();
}
