#include "preferences/hub/PhysicalPropertyPreferenceDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/PhysicalPropertyPreferenceSet.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr long PHYSICAL_PROPERTY_HELP_TOPIC = 346;
constexpr int FIRST_PROPERTY_RADIO = 1428;
const char* const PROPERTY_NOT_OPEN = "Can't open the Physical Property Preference table for update!";
const char* const LIQUID_DENSITY = "Liquid Mixture Density";
const char* const AVAILABLE_PHASE = "Component Available Phase";

bool sameText(const QString& text, const char* other)
{
    return text.compare(QLatin1String(other), Qt::CaseInsensitive) == 0;
}
} // namespace

CPhysicalPropertyPreferenceDialog::CPhysicalPropertyPreferenceDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("268"));
    setWindowTitle(QStringLiteral("Physical Property"));
    new QVBoxLayout(this);
    AddGroup(" Calculate Liquid Mixture Density Using ... ", 1646, 1428, {"Ideal Liquid Mixture", "Rackett Equation"});
    AddGroup(" New Component Default Available Phase", 1647, 1430, {"Solid", "Liquid", "Gas"});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    buttons->button(QDialogButtonBox::Help)->setObjectName(QStringLiteral("9"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPhysicalPropertyPreferenceDialog::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CPhysicalPropertyPreferenceDialog::OnHelp);
    layout()->addWidget(buttons);
    OnInitDialog();
}

void CPhysicalPropertyPreferenceDialog::AddGroup(const char* title, int frameId, int firstId,
                                                 const std::initializer_list<const char*>& labels)
{
    auto* frame = new QGroupBox(QString::fromLatin1(title), this);
    frame->setObjectName(QString::number(frameId));
    auto* column = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    int id = firstId;
    for (const char* label : labels) {
        auto* radio = new QRadioButton(QString::fromLatin1(label), frame);
        radio->setObjectName(QString::number(id));
        group->addButton(radio, id);
        column->addWidget(radio);
        m_radios << radio;
        connect(radio, &QRadioButton::clicked, this, [this, id] { OnRadio(id); });
        ++id;
    }
    layout()->addWidget(frame);
}

QRadioButton* CPhysicalPropertyPreferenceDialog::radio(int id) const
{
    const int index = id - FIRST_PROPERTY_RADIO;
    return index >= 0 && index < m_radios.size() ? m_radios[index] : nullptr;
}

void CPhysicalPropertyPreferenceDialog::OnInitDialog()
{
    CPhysicalPropertyPreferenceSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(PROPERTY_NOT_OPEN));
        return;
    }
    for (; !set.IsEOF(); set.MoveNext())
        ReadRow(set.GetText(QStringLiteral("PhysicalProperty")), set.GetText(QStringLiteral("ModelName")));
    set.CloseSet();
    CheckFromFlags();
}

void CPhysicalPropertyPreferenceDialog::ReadRow(const QString& property, const QString& model)
{
    if (sameText(property, LIQUID_DENSITY)) {
        m_bIdeal = m_bIdeal || sameText(model, "Ideal");
        m_bRackett = m_bRackett || sameText(model, "Rackett");
    } else if (sameText(property, AVAILABLE_PHASE)) {
        m_bSolid = m_bSolid || sameText(model, "Solid");
        m_bLiquid = m_bLiquid || sameText(model, "Liquid");
        m_bGas = m_bGas || sameText(model, "Gas");
    }
}

void CPhysicalPropertyPreferenceDialog::CheckFromFlags()
{
    if (m_bIdeal || m_bRackett)
        radio(m_bIdeal ? 1428 : 1429)->setChecked(true);
    if (m_bSolid || m_bLiquid || m_bGas)
        radio(m_bSolid ? 1430 : m_bLiquid ? 1431 : 1432)->setChecked(true);
}

void CPhysicalPropertyPreferenceDialog::OnRadio(int id)
{
    if (id <= 1429) {
        m_bIdeal = id == 1428;
        m_bRackett = id == 1429;
        return;
    }
    m_bSolid = id == 1430;
    m_bLiquid = id == 1431;
    m_bGas = id == 1432;
}

void CPhysicalPropertyPreferenceDialog::OnHelp()
{
    DisplayHelp(GetHelpFileName(), PHYSICAL_PROPERTY_HELP_TOPIC);
}

void CPhysicalPropertyPreferenceDialog::OnOK()
{
    {
        WaitCursor wait;
        if (Save())
            SetProjectModified(true);
    }
    done(Accepted);
}

// The model a row gets: the chosen one for the two known properties, else what it holds.
QString CPhysicalPropertyPreferenceDialog::ModelFor(const QString& property, const QString& stored) const
{
    if (sameText(property, LIQUID_DENSITY) && (m_bIdeal || m_bRackett))
        return m_bIdeal ? QStringLiteral("Ideal") : QStringLiteral("Rackett");
    if (sameText(property, AVAILABLE_PHASE) && (m_bSolid || m_bLiquid || m_bGas))
        return m_bSolid ? QStringLiteral("Solid") : m_bLiquid ? QStringLiteral("Liquid") : QStringLiteral("Gas");
    return stored;
}

bool CPhysicalPropertyPreferenceDialog::Save()
{
    CPhysicalPropertyPreferenceSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(PROPERTY_NOT_OPEN));
        return false;
    }
    try {
        CDaoTransaction transaction(*set.GetDatabase());
        for (; !set.IsEOF(); set.MoveNext()) {
            set.Edit();
            const QString model = ModelFor(set.GetText(QStringLiteral("PhysicalProperty")),
                                           set.GetText(QStringLiteral("ModelName")));
            set.SetText(QStringLiteral("ModelName"), model);
            set.Update();
        }
        transaction.Commit();
        return true;
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
}
