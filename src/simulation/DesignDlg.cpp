#include "simulation/DesignDlg.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/FacilityCombo.h"
#include "foundation/controls/NumericEdit.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/equipment/ActualEquipmentUnitSet.h"
#include "foundation/db/equipment/EquipmentClassSet.h"
#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/step/StepSet.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/edit/FieldUnits.h"
#include "simulation/FixEquipmentDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

namespace {

constexpr long kDesignHelpTopic = 207;
const char* const kCatalogText = "Tamro Plenthover Equipment Catalog";
const char* const kRuleTexts[] = {"Largest vessels first", "Smallest vessels first", "Closest vessels first"};

// The first item that begins with the text, ignoring case; the selection stays without one.
void SelectByPrefix(QComboBox* combo, const QString& text)
{
    if (text.isEmpty())
        return;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

QLabel* AddLabelled(QGridLayout* layout, int row, const char* caption, QWidget* field)
{
    auto* label = new QLabel(QString::fromLatin1(caption), field->parentWidget());
    layout->addWidget(label, row, 0);
    layout->addWidget(field, row, 1);
    return label;
}

} // namespace

CDesignDlg::CDesignDlg(long stepID, long processID, double currentBatchKg, double currentRateKgPerH,
                       double maxBatchKg, EngineEntry* engine, QWidget* parent)
    : QDialog(parent), m_stepID(stepID), m_processID(processID), m_currentBatchKg(currentBatchKg),
      m_currentRateKgPerH(currentRateKgPerH), m_maxBatchKg(maxBatchKg), m_engine(engine)
{
    setObjectName(QStringLiteral("201"));
    setWindowTitle(QStringLiteral("Design"));
    BuildControls();
    ReadDesignTargets();
    OnInitDialog();
}

CDesignDlg::~CDesignDlg() = default;

void CDesignDlg::BuildControls()
{
    auto* layout = new QGridLayout(this);
    BuildEntries(layout);
    BuildResults(layout);
    auto* fix = new QPushButton(QStringLiteral("Fix Equipment"), this);
    fix->setObjectName(QStringLiteral("1008"));
    layout->addWidget(fix, 12, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    layout->addWidget(buttons, 13, 0, 1, 3);
    connect(fix, &QPushButton::clicked, this, &CDesignDlg::OnFixEquipment);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDesignDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDesignDlg::reject);
}

void CDesignDlg::BuildEntries(QGridLayout* layout)
{
    m_amountEdit = new CNumericEdit(this);
    m_amountEdit->setObjectName(QStringLiteral("1003"));
    m_amountUnitCombo = new QComboBox(this);
    m_amountUnitCombo->setObjectName(QStringLiteral("1005"));
    m_horizonEdit = new CNumericEdit(this);
    m_horizonEdit->setObjectName(QStringLiteral("1004"));
    m_horizonUnitCombo = new QComboBox(this);
    m_horizonUnitCombo->setObjectName(QStringLiteral("1006"));
    m_facilityCombo = new QComboBox(this);
    m_facilityCombo->setObjectName(QStringLiteral("1179"));
    AddLabelled(layout, 6, "Amount", m_amountEdit);
    layout->addWidget(m_amountUnitCombo, 6, 2);
    AddLabelled(layout, 7, "Time Horizon", m_horizonEdit);
    layout->addWidget(m_horizonUnitCombo, 7, 2);
    AddLabelled(layout, 8, "Facility", m_facilityCombo);
    const char* const captions[] = {"Assign largest vessels first", "Assign smallest vessels first",
                                    "Assign closest vessels first"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_ruleRadios[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        m_ruleRadios[i]->setObjectName(QString::number(1483 + i));
        group->addButton(m_ruleRadios[i], i);
        layout->addWidget(m_ruleRadios[i], 9 + i, 0, 1, 3);
    }
}

void CDesignDlg::BuildResults(QGridLayout* layout)
{
    const char* const captions[] = {"Step",
                                    "Version",
                                    "Key Output",
                                    "Current Batch Size",
                                    "Current Production Rate",
                                    "Maximum Batch Size"};
    for (int i = 0; i < 6; ++i) {
        m_statics[i] = new QLabel(this);
        m_statics[i]->setObjectName(QString::number(1172 + i));
        AddLabelled(layout, i, captions[i], m_statics[i]);
    }
}

// The stored design targets, when the step has them.
void CDesignDlg::ReadDesignTargets()
{
    if (!m_specs.OpenSet(m_stepID) || m_specs.IsEOF())
        return;
    const DesignTargets stored = m_specs.Targets();
    amount = stored.amount;
    amountUOM = stored.amountUOM;
    timeHorizon = stored.timeHorizon;
    timeHorizonUOM = stored.timeHorizonUOM;
    facilityID = stored.facilityID;
    for (int rule = 0; rule < 3; ++rule)
        if (stored.heuristic.compare(QLatin1String(kRuleTexts[rule]), Qt::CaseInsensitive) == 0)
            vesselRule = rule;
}

void CDesignDlg::OnInitDialog()
{
    UpdateData(false);
    if (!ShowStepNames())
        return;
    ShowEngineValues();
    FillUnitCombos();
    FillFacilities();
    ReadEquipment();
    SortCombos();
}

bool CDesignDlg::ShowStepNames()
{
    CStepSet step;
    step.SetErrorMode(DaoErrorMode::Quiet);
    if (!step.OpenSet(m_stepID) || !step.FindFirst([this](const CDaoRecordset& row) {
            return row.GetLong(QStringLiteral("StepID")) == m_stepID;
        })) {
        QvMessageBox(QStringLiteral("Can't open Step table for intialization!"));
        return false;
    }
    m_statics[0]->setText(step.GetText(QStringLiteral("StepName")));
    m_statics[1]->setText(step.GetText(QStringLiteral("StepVersionName")));
    const long keyOutput = step.GetLong(QStringLiteral("KeyOutputIntermediateID"));
    step.CloseSet();
    QString name;
    bool found = false;
    CMaterialCommonSet* materials = CMaterialCommonSet::Instance();
    materials->SetErrorMode(DaoErrorMode::Quiet);
    if (!materials->ReadMaterialName(keyOutput, &name, &found))
        QvMessageBox(QStringLiteral("Can't open the Materials table for initialization!"));
    m_statics[2]->setText(found ? name : QString());
    return true;
}

QString CDesignDlg::FormatBatchValue(double value)
{
    if (value == std::floor(value))
        return QString::asprintf("%.0f", value);
    return QString::asprintf("%0.2f", value);
}

QString CDesignDlg::HeuristicText(int rule)
{
    return QString::fromLatin1(kRuleTexts[rule >= 0 && rule < 3 ? rule : 0]);
}

void CDesignDlg::ShowEngineValues()
{
    m_statics[3]->setText(FormatBatchValue(m_currentBatchKg) + QStringLiteral(" kg"));
    m_statics[4]->setText(FormatBatchValue(m_currentRateKgPerH) + QStringLiteral(" kg/h"));
    m_statics[5]->setText(FormatBatchValue(m_maxBatchKg) + QStringLiteral(" kg"));
}

void CDesignDlg::FillUnitCombos()
{
    FillUnitCombo(QStringLiteral("Time"), m_horizonUnitCombo);
    FillUnitCombo(QStringLiteral("Amount"), m_amountUnitCombo);
    m_horizonUnitCombo->setCurrentIndex(-1);
    m_amountUnitCombo->setCurrentIndex(-1);
    SelectByPrefix(m_horizonUnitCombo, timeHorizonUOM);
    SelectByPrefix(m_amountUnitCombo, amountUOM);
}

void CDesignDlg::FillFacilities()
{
    FillFacilityCombo(m_facilityCombo);
    m_facilityCombo->insertItem(0, QString::fromLatin1(kCatalogText), qlonglong(0));
    m_facilityCombo->setCurrentIndex(-1);
    if (facilityID != -1)
        m_facilityCombo->setCurrentIndex(m_facilityCombo->findData(qlonglong(facilityID)));
}

// Every item keeps its place in the four lists: an item whose row does not read shows its id.
void CDesignDlg::ReadEquipment()
{
    if (!m_engine)
        return;
    equipmentIDs = m_engine->getEquipmentIDS(m_stepID);
    CActualEquipmentUnitSet unit;
    CEquipmentClassSet equipmentClass;
    for (long i = 0; i < equipmentIDs.GetSize(); ++i) {
        const long id = equipmentIDs[i];
        const bool read = unit.OpenSet(id);
        equipmentTags.Add(read ? unit.Tag() : QString::number(id));
        equipmentClasses.Add(read && equipmentClass.OpenSet(unit.ClassID()) ? equipmentClass.ClassName()
                                                                            : QString());
        fixedFlags.Add(0);
    }
    unit.CloseSet();
    equipmentClass.CloseSet();
}

void CDesignDlg::SortCombos()
{
    SortServices* sort = GetSortServices();
    if (!sort)
        return;
    for (QComboBox* combo : {m_facilityCombo, m_horizonUnitCombo, m_amountUnitCombo})
        sort->SortComboBoxItems(combo);
}

bool CDesignDlg::ReadNumber(CNumericEdit* edit, double* value)
{
    if (SetMissingIfEmpty(edit, MISSING_DOUBLE, value, nullptr))
        return true;
    double read = 1e35;
    if (!edit->GetValue(&read, true)) {
        edit->setFocus();
        return false;
    }
    *value = read;
    return true;
}

// A number read is kept only when it stays storable once converted from its unit: 1e34 min is
// 6e35 s. A refusal shows the number prompt and puts the focus back on the edit.
bool CDesignDlg::IsStorableIn(CNumericEdit* edit, double value, const QString& unit)
{
    if (IsStorableInUnit(value, unit))
        return true;
    QvMessageBox(QString::fromLatin1(NUMBER_PROMPT_TEXT), MB_OK | MB_ICONEXCLAMATION);
    edit->setFocus();
    return false;
}

bool CDesignDlg::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        if (!m_initialized) {
            m_amountEdit->setText(amount == 1e35 ? QString() : QString::asprintf("%.15g", amount));
            m_horizonEdit->setText(timeHorizon == 1e35 ? QString() : QString::asprintf("%.15g", timeHorizon));
            m_initialized = true;
        }
        m_ruleRadios[vesselRule >= 0 && vesselRule < 3 ? vesselRule : 0]->setChecked(true);
        return true;
    }
    if (!ReadNumber(m_amountEdit, &amount) || !ReadNumber(m_horizonEdit, &timeHorizon))
        return false;
    amountUOM = m_amountUnitCombo->currentIndex() >= 0 ? m_amountUnitCombo->currentText() : QString();
    timeHorizonUOM = m_horizonUnitCombo->currentIndex() >= 0 ? m_horizonUnitCombo->currentText() : QString();
    if (!IsStorableIn(m_amountEdit, amount, amountUOM) || !IsStorableIn(m_horizonEdit, timeHorizon, timeHorizonUOM))
        return false;
    for (int rule = 0; rule < 3; ++rule)
        if (m_ruleRadios[rule]->isChecked())
            vesselRule = rule;
    return true;
}

bool CDesignDlg::CheckEntries()
{
    const char* message = nullptr;
    if (amount == 1e35)
        message = "Please enter Design Amount!";
    else if (amountUOM.isEmpty())
        message = "Please select Unit Of Measure for Design Amount!";
    else if (timeHorizon == 1e35)
        message = "Please enter Time Horizon!";
    else if (timeHorizonUOM.isEmpty())
        message = "Please select Unit Of Measure for Time Horizon!";
    else if (m_facilityCombo->currentIndex() < 0)
        message = "Please select a Facility from the Facility combo box!";
    if (message)
        QvMessageBox(QString::fromLatin1(message));
    return message == nullptr;
}

DesignTargets CDesignDlg::Entries() const
{
    return {amount, amountUOM, timeHorizon, timeHorizonUOM, facilityID, facilityName, heuristic};
}

// Adds the row or edits it in one transaction, and marks the project modified once a value
// changed; on a database error the write is rolled back and its description shown.
bool CDesignDlg::SaveDesignTargets()
{
    const DesignTargets entries = Entries();
    m_specs.SetErrorMode(DaoErrorMode::Propagate);
    try {
        if (!m_specs.OpenSet(m_stepID))
            throw CDaoException(QStringLiteral("The step database is not open."));
        const bool adding = m_specs.IsEOF();
        if (!adding && m_specs.Targets() == entries)
            return true;
        CDaoTransaction transaction(*m_specs.GetDatabase());
        adding ? m_specs.AddNew() : m_specs.Edit();
        m_specs.SetLong(QStringLiteral("StepID"), m_stepID);
        m_specs.SetTargets(entries);
        m_specs.Update();
        transaction.Commit();
    } catch (const CDaoException& failure) {
        m_specs.CloseSet();
        QvMessageBox(failure.GetErrorDescription());
        return false;
    }
    SetProjectModified(true);
    return true;
}

void CDesignDlg::accept()
{
    if (!UpdateData(true) || !CheckEntries())
        return;
    facilityID = long(m_facilityCombo->currentData().toLongLong());
    facilityName = m_facilityCombo->currentText();
    heuristic = HeuristicText(vesselRule);
    if (!SaveDesignTargets())
        return;
    QDialog::accept();
}

int CDesignDlg::ExecFixEquipment(CFixEquipmentDlg& dialog)
{
    return dialog.exec();
}

void CDesignDlg::OnFixEquipment()
{
    std::unique_ptr<CFixEquipmentDlg> dialog;
    {
        const WaitCursor wait;
        dialog = std::make_unique<CFixEquipmentDlg>(equipmentTags, equipmentClasses, fixedFlags, this);
    }
    if (ExecFixEquipment(*dialog) == QDialog::Accepted)
        fixedFlags = dialog->FixedFlags();
}

bool CDesignDlg::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), kDesignHelpTopic);
    return true;
}

void CDesignDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OnCommandHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}
