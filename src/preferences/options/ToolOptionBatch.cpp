#include "preferences/options/ToolOptionBatch.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/project/RangeTypeSet.h"
#include "foundation/db/project/SimulationOptionsSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
enum BatchIDs { AIR = 1352, RESULTS = 1353, MAX_EMISSION = 1361, ROUNDING_CHECK = 1360, RANGE_COMBO = 1179 };
const char* const LITERAL_SFC = "Literal SFC";
const char* const EARLY = "Early as possible";
} // namespace

CToolOptionBatch::CToolOptionBatch()
    : CToolOptionSimulation(QStringLiteral("BATCH"),
                            {{1352, "AirEmission", "Enable Air Emission Calculation "},
                             {1353, "ResultsDatabase", "Create Results Database "},
                             {1354, "OverFlow", "Check Overflow of Equipment Units "},
                             {1355, "UnderFlow", "Check Underflow of Equipment Units "},
                             {1356, "JustInTimeSchedule", "Apply \"Just in Time\" strategy "},
                             {1357, "StepFinalEquipmentContents", "Transfer total amount of Output "},
                             {1358, "FlashCalculation", "Enable Flash Calculation "},
                             {1359, "SimulationSummaryMessage", "Display end-of-simulation message "},
                             {1360, "ResultsRounding", "Round Results Database"},
                             {1361, "MaxCalculation", "Enable maximum emission calculation"}},
                            {{1414, LITERAL_SFC, "Using the exact recipe sequence "},
                             {1415, EARLY, "Automatically determine which operations occur in parallel "}})
{
}

void CToolOptionBatch::LoadExtra(const CSimulationOptionsSet& set)
{
    if (!set.IsFieldNull("RangeTypeID"))
        m_rangeTypeID = set.GetLong("RangeTypeID");
}

void CToolOptionBatch::StoreExtra(CSimulationOptionsSet& set)
{
    set.SetLong("RangeTypeID", m_rangeTypeID);
}

bool CToolOptionBatch::DiffersFromStored(const CSimulationOptionsSet& set) const
{
    for (const SimulationCheck& check : m_checks)
        if (set.GetBool(check.column) != Flag(check.column))
            return true;
    if (set.IsFieldNull("RangeTypeID") || set.GetLong("RangeTypeID") != m_rangeTypeID)
        return true;
    const QString stored = set.GetText("AlgorithmOption");
    const auto is = [&stored](const char* text) {
        return stored.compare(QLatin1String(text), Qt::CaseInsensitive) == 0;
    };
    return (is(LITERAL_SFC) && m_radio != 0) || (is(EARLY) && m_radio != 1);
}

bool CToolOptionBatch::WriteRows(CDaoDatabase& database)
{
    CSimulationOptionsSet set;
    if (set.OpenSet(m_optionType) && !set.IsEOF() && DiffersFromStored(set))
        m_bChanged = true;
    set.CloseSet();
    return CToolOptionSimulation::WriteRows(database);
}

void CToolOptionBatch::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    BuildChecks(page, layout);
    layout->addWidget(new QLabel(QStringLiteral("Intermediate from previous Step in Process"), page));
    layout->addWidget(new QLabel(QStringLiteral("with range type"), page));
    auto* combo = new QComboBox(page);
    combo->setObjectName(QString::number(RANGE_COMBO));
    layout->addWidget(combo);
    BuildRadios(page, layout, QStringLiteral(" Develop the Schedule "));
    layout->addStretch();
    for (const SimulationCheck& check : m_checks) {
        const int id = check.id;
        QObject::connect(FindControl<QCheckBox>(page, id), &QCheckBox::clicked, page,
                         [this, id] { OnCheckClicked(id); });
    }
}

QComboBox* CToolOptionBatch::combo() const
{
    return FindControl<QComboBox>(window(), RANGE_COMBO);
}

void CToolOptionBatch::OnInitDialog()
{
    m_bInitialized = true;
    CRangeTypeSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open the Range Libary table!"));
        return;
    }
    for (; !set.IsEOF(); set.MoveNext())
        if (!set.GetText("Description").isEmpty())
            combo()->addItem(set.GetText("Description"), qlonglong(set.GetLong("RangeTypeID")));
    set.CloseSet();
    if (SortServices* sort = GetSortServices())
        sort->SortComboBoxItems(combo());
    combo()->setCurrentIndex(combo()->findData(qlonglong(m_rangeTypeID)));
}

// The pairs that go together: maximum emission needs air emission, rounding needs results.
void CToolOptionBatch::OnCheckClicked(int id)
{
    const bool on = IsChecked(window(), id);
    if (id == MAX_EMISSION && on)
        SetChecked(window(), AIR, true);
    if (id == AIR && !on)
        SetChecked(window(), MAX_EMISSION, false);
    if (id == ROUNDING_CHECK && on)
        SetChecked(window(), RESULTS, true);
    if (id == RESULTS && !on)
        SetChecked(window(), ROUNDING_CHECK, false);
}

bool CToolOptionBatch::DoDataExchange(bool saveAndValidate)
{
    CToolOptionSimulation::DoDataExchange(saveAndValidate);
    if (saveAndValidate && m_bInitialized) {
        m_rangeTypeText = combo()->currentText();
        m_rangeTypeID = combo()->currentIndex() >= 0 ? long(combo()->currentData().toLongLong()) : -1;
    }
    return true;
}

bool CToolOptionBatch::OnKillActive()
{
    if (!DoDataExchange(true))
        return false;
    if (Flag("MaxCalculation") && m_rangeTypeID == -1) {
        QvMessageBox(QStringLiteral("Please specify the range type !"), MB_OK | MB_ICONSTOP);
        combo()->setFocus();
        return false;
    }
    if (Flag("MaxCalculation") && !Flag("AirEmission")) {
        QvMessageBox(QStringLiteral("Please select Enable Air Emission Calculation !"), MB_OK | MB_ICONSTOP);
        FindControl<QCheckBox>(window(), AIR)->setFocus();
        return false;
    }
    return true;
}
