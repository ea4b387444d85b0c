#include "modules/addnew/AddNewStepDialog.h"

#include "foundation/common/MessageBox.h"
#include "modules/addnew/AddNewFormCheck.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

CAddNewStepDialog::CAddNewStepDialog(const StepForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_name(new QLineEdit(form.name, this)),
      m_version(new QLineEdit(form.version, this)), m_description(new QPlainTextEdit(form.description, this)),
      m_facility(new QComboBox(this))
{
    setObjectName(QStringLiteral("AddNewStepDialog"));
    setWindowTitle(form.editing ? QStringLiteral("Step Information") : QStringLiteral("New Step"));
    m_name->setObjectName(QStringLiteral("StepName"));
    m_version->setObjectName(QStringLiteral("StepVersion"));
    m_facility->setObjectName(QStringLiteral("Facility"));
    m_name->setMaxLength(255);
    m_version->setMaxLength(255);
    m_description->setTabChangesFocus(true);
    m_facility->addItem(QString(), -1);
    for (const AddNewChoice& facility : form.facilities)
        m_facility->addItem(facility.text, int(facility.id));
    m_facility->setCurrentIndex(std::max(0, m_facility->findData(int(form.facilityID))));
    auto* layout = new QFormLayout(this);
    auto* process = new QLabel(form.processLabel, this);
    process->setObjectName(QStringLiteral("ProcessLabel"));
    process->setTextFormat(Qt::PlainText); // the user's name, read as typed
    layout->addRow(QStringLiteral("Process:"), process);
    if (!form.editing)
        addLinkChoice(form);
    layout->addRow(QStringLiteral("Step name:"), m_name);
    layout->addRow(QStringLiteral("Version:"), m_version);
    layout->addRow(QStringLiteral("Description:"), m_description);
    layout->addRow(QStringLiteral("Facility:"), m_facility);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void CAddNewStepDialog::addLinkChoice(const StepForm& form)
{
    m_link = new QComboBox(this);
    m_link->setObjectName(QStringLiteral("LinkedStep"));
    m_link->addItem(QStringLiteral("<New Step>"), -1);
    for (const AddNewChoice& step : form.linkable)
        m_link->addItem(step.text, int(step.id));
    connect(m_link, &QComboBox::currentIndexChanged, this, [this] { linkChosen(); });
    static_cast<QFormLayout*>(layout())->addRow(QStringLiteral("Create:"), m_link);
}

bool CAddNewStepDialog::linking() const
{
    return m_link && m_link->currentData().toInt() != -1;
}

void CAddNewStepDialog::linkChosen()
{
    for (QWidget* field : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_version),
                           static_cast<QWidget*>(m_description), static_cast<QWidget*>(m_facility)})
        field->setEnabled(!linking());
}

void CAddNewStepDialog::read(StepForm& form) const
{
    form.linkStepID = linking() ? m_link->currentData().toInt() : -1;
    form.name = m_name->text().trimmed();
    form.version = m_version->text().trimmed();
    form.description = m_description->toPlainText();
    form.facilityID = m_facility->currentData().toInt();
}

void CAddNewStepDialog::accept()
{
    StepForm answer = m_form;
    read(answer);
    const QString problem = StepFormProblem(answer);
    if (!problem.isEmpty()) {
        QvMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        m_name->setFocus();
        return;
    }
    QDialog::accept();
}
