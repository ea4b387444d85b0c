#include "preferences/options/ToolOptionSimulation.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/SimulationOptionsSet.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

CToolOptionSimulation::CToolOptionSimulation(QString optionType, std::vector<SimulationCheck> checks,
                                             std::vector<SimulationCheck> radios)
    : m_optionType(std::move(optionType)), m_checks(std::move(checks)), m_radios(std::move(radios))
{
}

bool CToolOptionSimulation::LoadOptions()
{
    CSimulationOptionsSet set;
    if (!set.OpenSet(m_optionType)) {
        QvMessageBox(QStringLiteral("Can't open Simulation Options table!"));
        return false;
    }
    if (!set.IsEOF()) {
        for (const SimulationCheck& check : m_checks)
            if (!set.IsFieldNull(check.column))
                m_flags[check.column] = set.GetBool(check.column);
        if (!m_radios.empty() && !set.IsFieldNull("AlgorithmOption"))
            LoadRadio(set.GetText("AlgorithmOption"));
        LoadExtra(set);
    }
    set.CloseSet();
    return LoadAfterRow();
}

void CToolOptionSimulation::LoadRadio(const QString& stored)
{
    for (int i = 0; i < int(m_radios.size()); ++i)
        if (stored.compare(QLatin1String(m_radios[i].column), Qt::CaseInsensitive) == 0)
            m_radio = i;
}

bool CToolOptionSimulation::WriteRows(CDaoDatabase&)
{
    CSimulationOptionsSet set;
    if (!set.OpenSet(m_optionType)) {
        QvMessageBox(QStringLiteral("Can't open the Simulation Options table for update!"));
        return false;
    }
    if (!set.IsEOF()) {
        set.Edit();
        for (const SimulationCheck& check : m_checks)
            set.SetBool(check.column, m_flags.value(check.column));
        if (m_radio >= 0)
            set.SetText("AlgorithmOption", QString::fromLatin1(m_radios[m_radio].column));
        StoreExtra(set);
        set.Update();
    }
    set.CloseSet();
    return WriteAfterRow();
}

void CToolOptionSimulation::BuildChecks(QWidget* page, QBoxLayout* layout)
{
    for (const SimulationCheck& check : m_checks)
        layout->addWidget(MakeCheckBox(page, check.id, QString::fromUtf8(check.text)));
}

void CToolOptionSimulation::BuildRadios(QWidget* page, QBoxLayout* layout, const QString& groupTitle)
{
    auto* group = new QGroupBox(groupTitle, page);
    auto* groupLayout = new QVBoxLayout(group);
    for (const SimulationCheck& radio : m_radios) {
        auto* button = new QRadioButton(QString::fromUtf8(radio.text), group);
        button->setObjectName(QString::number(radio.id));
        groupLayout->addWidget(button);
    }
    layout->addWidget(group);
}

bool CToolOptionSimulation::DoDataExchange(bool saveAndValidate)
{
    for (const SimulationCheck& check : m_checks) {
        if (saveAndValidate)
            m_flags[check.column] = IsChecked(window(), check.id);
        else
            SetChecked(window(), check.id, m_flags.value(check.column));
    }
    for (int i = 0; i < int(m_radios.size()); ++i) {
        auto* button = FindControl<QRadioButton>(window(), m_radios[i].id);
        if (saveAndValidate && button && button->isChecked())
            m_radio = i;
        else if (!saveAndValidate && button)
            button->setChecked(m_radio == i);
    }
    return true;
}
