#include "modules/opdialog/NewOperationDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CNewOperationDialog::CNewOperationDialog(const QString& typeName, const QString& unitProcedureName,
                                         QWidget* parent)
    : QDialog(parent), m_typeName(typeName), m_label(new QLineEdit(typeName, this))
{
    setWindowTitle(QStringLiteral("New Operation"));
    m_label->setMaxLength(255);
    m_label->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Operation type:"), new QLabel(typeName, this));
    form->addRow(QStringLiteral("Unit procedure:"), new QLabel(unitProcedureName, this));
    form->addRow(QStringLiteral("Label:"), m_label);
    form->addRow(buttons);
}

NewOperationInput CNewOperationDialog::input() const
{
    const QString label = m_label->text().trimmed();
    return {label.isEmpty() ? m_typeName : label};
}

void CNewOperationDialog::accept()
{
    if (m_label->text().trimmed().isEmpty())
        m_label->setText(m_typeName);
    QDialog::accept();
}
