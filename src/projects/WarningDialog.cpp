#include "projects/WarningDialog.h"

#include "foundation/common/MessageBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* AddLabel(QVBoxLayout* layout, const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

CWarningDialog::CWarningDialog(const QString& targetFolder, const QString& warningText,
                               const QString& actionsText, QWidget* parent)
    : QDialog(parent), m_strTargetFolder(targetFolder), m_strWarningText(warningText),
      m_strActionsText(actionsText)
{
    setWindowTitle(QStringLiteral("Tamro Plenthover"));
    BuildControls();
}

void CWarningDialog::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* intro = AddLabel(layout, QStringLiteral("introText"));
    intro->setText(QStringLiteral(
        "The file will be copied to the following working directory and will be opened from there:"));
    m_targetFolderLabel = AddLabel(layout, QStringLiteral("targetFolder"));
    m_warningLabel = AddLabel(layout, QStringLiteral("warningText"));
    m_actionsLabel = AddLabel(layout, QStringLiteral("actionsText"));
    m_dontAskAgainBox = new QCheckBox(QStringLiteral("Don't ask this question again."));
    m_dontAskAgainBox->setObjectName(QStringLiteral("dontAskAgain"));
    layout->addWidget(m_dontAskAgainBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWarningDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWarningDialog::reject);
    layout->addWidget(buttons);
}

void CWarningDialog::UpdateData(bool saveAndValidate)
{
    m_dontAskAgainBox->setVisible(m_bShowCheckBox);
    if (saveAndValidate) {
        m_bDontAskAgain = m_bShowCheckBox && m_dontAskAgainBox->isChecked();
        return;
    }
    m_targetFolderLabel->setText(m_strTargetFolder);
    m_warningLabel->setText(m_strWarningText);
    m_actionsLabel->setText(m_strActionsText);
    m_dontAskAgainBox->setChecked(m_bDontAskAgain);
}

void CWarningDialog::accept()
{
    UpdateData(true);
    QDialog::accept();
}

WarningDialogRequest CWarningDialog::Request() const
{
    return {m_strTargetFolder, m_strWarningText, m_strActionsText, m_bShowCheckBox};
}

int CWarningDialog::DoModal()
{
    if (WarningDialogService* service = GetWarningDialogService()) {
        const WarningDialogAnswer answer = service->show(Request());
        if (answer.result == IDOK)
            m_bDontAskAgain = m_bShowCheckBox && answer.dontAskAgain;
        return answer.result == IDOK ? IDOK : IDCANCEL;
    }
    UpdateData(false);
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}
