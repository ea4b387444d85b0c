#include "results/SelectStepDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "results/ReportStepEntries.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QShowEvent>
#include <QVBoxLayout>

CSelectStepDialog::CSelectStepDialog(QWidget* parent) : QDialog(parent), m_combo(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Select a Step"));
    m_combo->setObjectName(QStringLiteral("1433"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_combo);
    layout->addWidget(buttons);
}

void CSelectStepDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void CSelectStepDialog::OnInitDialog()
{
    m_initialised = true;
    WaitCursor wait;
    FillStepCombo(m_combo, ReadProjectStepEntries());
}

bool CSelectStepDialog::TakeSelectedStep()
{
    const int index = m_combo->currentIndex();
    const long id = index < 0 ? -1 : long(m_combo->itemData(index).toLongLong());
    if (id == -1) {
        m_stepID = -1;
        QvMessageBox(QStringLiteral("Please select a Step!"));
        return false;
    }
    m_stepID = id;
    m_stepText = m_combo->itemText(index);
    return true;
}

void CSelectStepDialog::accept()
{
    if (TakeSelectedStep())
        QDialog::accept();
}
