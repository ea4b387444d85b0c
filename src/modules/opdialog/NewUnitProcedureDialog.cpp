#include "modules/opdialog/NewUnitProcedureDialog.h"

#include "foundation/common/MessageBox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

CNewUnitProcedureDialog::CNewUnitProcedureDialog(const QString& suggestedName, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(suggestedName, this)), m_comment(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("New Unit Procedure"));
    m_name->setMaxLength(255);
    m_name->selectAll();
    m_comment->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Comments:"), m_comment);
    form->addRow(buttons);
}

NewUnitProcedureInput CNewUnitProcedureDialog::input() const
{
    return {m_name->text().trimmed(), m_comment->toPlainText().trimmed()};
}

void CNewUnitProcedureDialog::accept()
{
    if (m_name->text().trimmed().isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter a name for the unit procedure."),
                     MB_OK | MB_ICONEXCLAMATION);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
