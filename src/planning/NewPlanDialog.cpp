#include "planning/NewPlanDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/PlanToProject.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanCopyNamer.h"
#include "planning/PlanRows.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int PLAN_NAME_LIMIT = 50;
} // namespace

CNewPlanDialog::CNewPlanDialog(QWidget* parent)
    : QDialog(parent), m_nameEdit(new QLineEdit(this)),
      m_newRadio(new QRadioButton(QStringLiteral("Add a new Production Plan"), this)),
      m_copyRadio(new QRadioButton(QStringLiteral("Copy an existing Production Plan"), this)),
      m_planCombo(new QComboBox(this))
{
    setObjectName(QStringLiteral("NewPlanDialog"));
    setWindowTitle(QStringLiteral("Add a new Production Plan"));
    m_nameEdit->setObjectName(QStringLiteral("PlanName1045"));
    m_nameEdit->setMaxLength(PLAN_NAME_LIMIT);
    m_newRadio->setObjectName(QStringLiteral("NewPlan1403"));
    m_copyRadio->setObjectName(QStringLiteral("CopyPlan1404"));
    m_planCombo->setObjectName(QStringLiteral("ExistingPlan1411"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Production Plan Name:"), m_nameEdit);
    form->addRow(m_newRadio);
    form->addRow(m_copyRadio);
    form->addRow(QStringLiteral("Existing Production Plan:"), m_planCombo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewPlanDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_newRadio, &QRadioButton::clicked, this, [this] { SetCopyMode(false); });
    connect(m_copyRadio, &QRadioButton::clicked, this, [this] { SetCopyMode(true); });
    SetCopyMode(false);
}

void CNewPlanDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CNewPlanDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        DisplayHelp(GetHelpFileName(), HELP_NEW_PLAN_DIALOG);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CNewPlanDialog::OnInitDialog()
{
    m_initialised = true;
    SetCopyMode(false);
    CPlanToProject plans;
    plans.SetErrorMode(DaoErrorMode::Quiet);
    if (!plans.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Plan To Project table for initialization!"));
        return false;
    }
    m_copyRadio->setEnabled(plans.GetRecordCount() > 0);
    for (; !plans.IsEOF(); plans.MoveNext())
        m_planCombo->addItem(plans.GetText("PlanName"), qlonglong(plans.GetLong("PlanID")));
    plans.CloseSet();
    m_planCombo->setCurrentIndex(-1);
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(m_planCombo);
    return true;
}

void CNewPlanDialog::SetCopyMode(bool copy)
{
    m_copyRadio->setChecked(copy);
    m_newRadio->setChecked(!copy);
    m_nameEdit->setEnabled(!copy);
    m_planCombo->setEnabled(copy);
}

bool CNewPlanDialog::ReadPlanNames(QStringList& names, const QString& failure) const
{
    CPlanToProject plans;
    plans.SetErrorMode(DaoErrorMode::Quiet);
    if (!plans.OpenSet()) {
        QvMessageBox(failure);
        return false;
    }
    for (; !plans.IsEOF(); plans.MoveNext())
        names.append(plans.GetText("PlanName"));
    plans.CloseSet();
    return true;
}

bool CNewPlanDialog::CheckTypedName()
{
    QString name = m_nameEdit->text();
    if (name.isEmpty()) {
        QvMessageBox(QStringLiteral("Please enter Production Plan Name!"), MB_OK | MB_ICONSTOP);
        m_nameEdit->setFocus();
        m_nameEdit->selectAll();
        return false;
    }
    if (IsInvalidName(name)) {
        m_nameEdit->setText(name);
        m_nameEdit->setFocus();
        return false;
    }
    QStringList names;
    if (!ReadPlanNames(names, QStringLiteral("Can't open Production To Plan table!")))
        return false;
    if (names.contains(name, Qt::CaseInsensitive)) {
        QvMessageBox(QStringLiteral("The plan name already exists in the database. Please enter a different plan name!"));
        return false;
    }
    m_name = name;
    return true;
}

void CNewPlanDialog::accept()
{
    const bool copy = m_copyRadio->isChecked();
    if (!copy && !CheckTypedName())
        return;
    if (copy && m_planCombo->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Please select an existing Production Plan!"));
        return;
    }
    if (CreatePlan())
        QDialog::accept();
}

// The name (in copy mode the next free copy name), then the rows in one transaction; the
// database's description when they fail, and the dialog stays open.
bool CNewPlanDialog::CreatePlan()
{
    const bool copy = m_copyRadio->isChecked();
    long sourceID = -1;
    QString name = m_name;
    if (copy) {
        QStringList names;
        if (!ReadPlanNames(names, QStringLiteral("Can't open Production To Plan table!")))
            return false;
        sourceID = long(m_planCombo->currentData().toLongLong());
        name = PlanCopyNamer::Shared().NextName(m_planCombo->currentText(), [&names](const QString& candidate) {
            return names.contains(candidate, Qt::CaseInsensitive);
        });
    }
    try {
        const WaitCursor wait;
        m_planID = CreatePlanRows(name, sourceID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    m_name = name;
    return true;
}
