#include "modules/opdialog/ConstraintDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QListWidget>
#include <QVBoxLayout>

CConstraintDialog::CConstraintDialog(const QString& title, const QList<ConstraintChoice>& candidates,
                                     const QList<ConstraintChoice>& current, const QStringList& timeUnits)
    : m_candidates(candidates), m_list(new QListWidget(this)), m_delay(new QDoubleSpinBox(this)),
      m_unit(new QComboBox(this))
{
    setWindowTitle(title);
    for (const ConstraintChoice& candidate : candidates) {
        auto* item = new QListWidgetItem(candidate.label, m_list);
        const bool on = std::any_of(current.begin(), current.end(),
                                    [&](const ConstraintChoice& c) { return c.itemID == candidate.itemID; });
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    m_delay->setRange(0.0, 1e9);
    m_unit->addItems(timeUnits);
    if (!current.isEmpty()) {
        m_delay->setValue(current.first().delay);
        m_unit->setCurrentText(current.first().delayUOM);
    }
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Delay"), m_delay);
    form->addRow(QStringLiteral("Unit"), m_unit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QList<ConstraintChoice> CConstraintDialog::chosen() const
{
    QList<ConstraintChoice> chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->checkState() != Qt::Checked)
            continue;
        ConstraintChoice choice = m_candidates.at(row);
        std::tie(choice.delay, choice.delayUOM) = std::pair(m_delay->value(), m_unit->currentText());
        chosen << choice;
    }
    return chosen;
}
