#include "modules/addnew/AddNewProcessDialog.h"

#include "foundation/common/MessageBox.h"
#include "modules/addnew/AddNewFormCheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

CAddNewProcessDialog::CAddNewProcessDialog(const ProcessForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_name(new QLineEdit(form.name, this)),
      m_version(new QLineEdit(form.version, this)), m_description(new QPlainTextEdit(form.description, this))
{
    setObjectName(QStringLiteral("AddNewProcessDialog"));
    setWindowTitle(form.editing ? QStringLiteral("Process Information") : QStringLiteral("New Process"));
    m_name->setObjectName(QStringLiteral("ProcessName"));
    m_version->setObjectName(QStringLiteral("ProcessVersion"));
    m_name->setMaxLength(255);
    m_version->setMaxLength(255);
    m_description->setTabChangesFocus(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Process name:"), m_name);
    layout->addRow(QStringLiteral("Version:"), m_version);
    layout->addRow(QStringLiteral("Description:"), m_description);
    layout->addRow(buttons);
}

void CAddNewProcessDialog::read(ProcessForm& form) const
{
    form.name = m_name->text().trimmed();
    form.version = m_version->text().trimmed();
    form.description = m_description->toPlainText();
}

void CAddNewProcessDialog::accept()
{
    ProcessForm answer = m_form;
    read(answer);
    if (const QString problem = ProcessFormProblem(answer); !problem.isEmpty()) {
        QvMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        (m_name->text().trimmed().isEmpty() ? m_name : m_version)->setFocus();
        return;
    }
    QDialog::accept();
}
