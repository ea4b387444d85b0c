#include "preferences/costs/CalculatedItemsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int FIRST_ITEM_BOX_ID = 1618;
const char* const CALCULATED_ITEM_LABELS[] = {"Material Cost",      "Utility Cost",          "Electricity Cost",
                                   "Disposal Cost",      "Labor Cost",            "Packaging Cost",
                                   "Miscellaneous Cost", "Equipment Purchase Cost", "Average Batch Time",
                                   "Average Cycle Time"};

QRadioButton* calculatedItemsRadio(QWidget* parent, const char* text, int id)
{
    auto* radio = new QRadioButton(QString::fromLatin1(text), parent);
    radio->setObjectName(QString::number(id));
    radio->setAutoExclusive(false);
    return radio;
}
} // namespace

CCalculatedItemsDialog::CCalculatedItemsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("368"));
    setWindowTitle(QStringLiteral("Calculated Items"));
    auto* grid = new QGridLayout;
    m_costsButton = calculatedItemsRadio(this, "Calculated Costs", 1616);
    m_timesButton = calculatedItemsRadio(this, "Calculated Times", 1617);
    grid->addWidget(m_costsButton, 0, 0);
    grid->addWidget(m_timesButton, 0, 1);
    for (long code = 1; code <= LAST_CODE; ++code) {
        auto* box = new QCheckBox(QString::fromLatin1(CALCULATED_ITEM_LABELS[code - 1]), this);
        box->setObjectName(QString::number(FIRST_ITEM_BOX_ID + code - 1));
        m_boxes[size_t(code - 1)] = box;
        const bool time = code >= FIRST_TIME_CODE;
        grid->addWidget(box, time ? int(code - FIRST_TIME_CODE) + 1 : int(code), time ? 1 : 0);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    connect(m_costsButton, &QRadioButton::clicked, this, &CCalculatedItemsDialog::OnCalculatedCosts);
    connect(m_timesButton, &QRadioButton::clicked, this, &CCalculatedItemsDialog::OnCalculatedTimes);
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &CCalculatedItemsDialog::OnOK);
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &QDialog::reject);
}

void CCalculatedItemsDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

// The record's codes check their boxes; the last code decides the group.
void CCalculatedItemsDialog::OnInitDialog()
{
    m_initialised = true;
    SetMode(true);
    for (long i = 0; i < m_data.m_items.GetSize(); ++i) {
        const long code = m_data.m_items[i];
        if (code < 1 || code > LAST_CODE)
            continue;
        CheckBox(code)->setChecked(true);
        SetMode(code < FIRST_TIME_CODE);
    }
    EnableGroups();
}

void CCalculatedItemsDialog::SetMode(bool costs)
{
    m_bCosts = costs;
    m_bTimes = !costs;
    m_costsButton->setChecked(costs);
    m_timesButton->setChecked(!costs);
}

void CCalculatedItemsDialog::EnableGroups()
{
    for (long code = 1; code <= LAST_CODE; ++code)
        CheckBox(code)->setEnabled((code < FIRST_TIME_CODE) == m_bCosts);
}

void CCalculatedItemsDialog::OnCalculatedCosts()
{
    if (!m_bCosts) {
        SetMode(true);
        EnableGroups();
    }
    m_costsButton->setChecked(true);
}

void CCalculatedItemsDialog::OnCalculatedTimes()
{
    if (!m_bTimes) {
        SetMode(false);
        EnableGroups();
    }
    m_timesButton->setChecked(true);
}

void CCalculatedItemsDialog::OnOK()
{
    m_data.m_items.RemoveAll();
    const long first = m_bCosts ? 1 : FIRST_TIME_CODE;
    const long last = m_bCosts ? FIRST_TIME_CODE - 1 : LAST_CODE;
    for (long code = first; code <= last; ++code)
        if (CheckBox(code)->isChecked())
            m_data.AddItem(code);
    done(Accepted);
}
