// Loading the production plan dialog: the header, the unit lists, the campaigns and the grid rows.

#include "foundation/common/MessageBox.h"
#include "foundation/common/OleDate.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/project/DefaultUOMSet.h"
#include "foundation/db/project/PlanRequirementsSet.h"
#include "foundation/db/project/PlanSet.h"
#include "foundation/db/project/UnitsLibrarySet.h"
#include "planning/ProductionPlanDialog.h"

#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <algorithm>

namespace {
constexpr int PLAN_CAMPAIGN_CONTROL = 2012;
constexpr int PLAN_MIN_ROWS = 100;
const QString UNITS_NOT_OPEN = QStringLiteral("Can't open the Units Library table to initialize combo boxes!");

// The units of a quantity kind in library order; false when the library cannot be read.
bool ReadLibraryUnits(const QString& quantity, QStringList* units)
{
    CUnitsLibrarySet library;
    library.SetErrorMode(DaoErrorMode::Quiet);
    if (!library.OpenSet(QString(), quantity))
        return false;
    for (library.MoveFirst(); !library.IsEOF(); library.MoveNext())
        units->append(library.Unit());
    return true;
}

QString SortedList(const QString& list)
{
    QString sorted = list;
    SortChoiceList(sorted, list);
    return sorted;
}

struct PlanGridColumnLayout {
    const char* header;
    int width;
};

const PlanGridColumnLayout PLAN_COLUMNS[] = {
    {"Campaign (Process or Step)", 160}, {"Quantity", 55}, {"Quantity Units", 55},
    {"Campaign Overlap", 55},           {"Batch Overlap", 46}, {"Earliest Start Time", 110},
    {"Time Interval", 60},              {"Time Units", 60},    {"Product", 80}};
} // namespace

bool CProductionPlanDialog::OnInitDialog()
{
    m_initialized = true;
    m_loadComplete = false;
    {
        WaitCursor wait;
        // Styling the grid touches every cell; the loaded rows get their campaign's units below.
        const QScopedValueRollback loading(m_loadingRows, true);
        m_yesNoList = SortedList(QStringLiteral("\nYES\nNO"));
        m_cleaningUnitList = SortedList(QStringLiteral("batches\n "));
        m_loadComplete = LoadPlanHeader() && LoadUnitLists();
        if (m_loadComplete) {
            FillOutputSetCombo();
            SetUpGrid();
            m_loadComplete = m_campaigns.Load() == CCampaignCatalog::Loaded;
        }
        if (m_loadComplete) {
            LayOutGrid();
            m_loadComplete = LoadCampaignRows() && FinishEquipmentLoad();
        }
    }
    m_okButton->setEnabled(m_loadComplete);
    return m_loadComplete;
}

bool CProductionPlanDialog::LoadPlanHeader()
{
    CPlanSet plans;
    plans.SetErrorMode(DaoErrorMode::Quiet);
    if (!plans.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open plan table to initialize!"));
        return false;
    }
    const long planID = m_planID;
    if (plans.FindFirst([planID](const CDaoRecordset& row) { return row.GetLong(QStringLiteral("PlanID")) == planID; })) {
        m_planName = plans.GetText(QStringLiteral("PlanName"));
        if (!plans.IsFieldNull(QStringLiteral("StartDateTime")))
            m_start = DateTimeFromOleDate(plans.GetDate(QStringLiteral("StartDateTime")));
        if (!plans.IsFieldNull(QStringLiteral("OutputUOMSetID")))
            m_outputUOMSetID = plans.GetLong(QStringLiteral("OutputUOMSetID"));
    }
    plans.CloseSet();
    if (m_planName.isEmpty()) {
        QvMessageBox(QStringLiteral("Can't find the plan!"));
        return false;
    }
    m_nameEdit->setText(m_planName);
    m_startEdit->setText(m_start.isValid() ? CQVGridWnd::FormatPlanDateTime(m_start) : QString());
    return true;
}

bool CProductionPlanDialog::LoadUnitLists()
{
    QStringList quantityUnits;
    if (!ReadLibraryUnits(QStringLiteral("time"), &m_units.timeUnits) ||
        !ReadLibraryUnits(QStringLiteral("PlanQuantity"), &quantityUnits)) {
        QvMessageBox(UNITS_NOT_OPEN);
        return false;
    }
    m_timeUnitList = SortedList(m_units.timeUnits.join(u'\n'));
    m_quantityUnitList = SortedList(u'\n' + quantityUnits.join(u'\n'));
    m_units.quantityUnits = quantityUnits;
    return true;
}

void CProductionPlanDialog::FillOutputSetCombo()
{
    if (m_outputUOMSetID == -1) {
        CDefaultUOMSet defaults;
        defaults.SetErrorMode(DaoErrorMode::Quiet);
        if (defaults.OpenSet() && defaults.GetRecordCount() > 0 && !defaults.IsFieldNull(QStringLiteral("OutputUOMSetID")))
            m_outputUOMSetID = defaults.GetLong(QStringLiteral("OutputUOMSetID"));
    }
    FillUOMSetCombo(m_outputSetCombo, m_outputUOMSetID);
}

void CProductionPlanDialog::SetUpGrid()
{
    m_grid->Initialize();
    m_grid->PlanGridMode = 1;
    m_campaignCombo = new CMyGXComboBox;
    m_grid->RegisterControl(PLAN_CAMPAIGN_CONTROL, m_campaignCombo);
    connect(m_grid, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* cell) { OnGridItemChanged(cell->row() + 1, cell->column() + 1); });
}

void CProductionPlanDialog::LayOutGrid()
{
    for (int i = 0; i < m_campaigns.Items().size(); ++i)
        m_campaignCombo->SetItemData(m_campaignCombo->AddString(m_campaigns.At(i).EntryText()), i);
    SortComboBox(m_campaignCombo);
    CPlanRequirementsSet counted;
    counted.SetErrorMode(DaoErrorMode::Quiet);
    const int rows = qMax(PLAN_MIN_ROWS, counted.OpenSet(m_planID) ? int(counted.GetRecordCount()) + 1 : 0);
    m_grid->SetColCount(PLAN_COLUMN_COUNT);
    m_grid->SetRowCount(rows);
    m_grid->SetRowHeight(0, 2 * m_bodyRowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(m_bodyRowHeight);
    m_grid->SetColWidth(0, 15);
    // Each column is at least as wide as its title, which reads whole at the dialog's size. The
    // titles carry their font themselves: the header paints a title in its item's font, and
    // measures it in that font too, while a font set on the header only served the measure.
    const QFont titleFont(QStringLiteral("Times New Roman"), 8, QFont::Normal);
    for (int col = 1; col <= PLAN_COLUMN_COUNT; ++col) {
        m_grid->SetStyleRange(CGridRange(0, col),
                              CGridCellStyle().SetValue(QString::fromLatin1(PLAN_COLUMNS[col - 1].header)));
        m_grid->horizontalHeaderItem(col - 1)->setFont(titleFont);
        m_grid->SetColWidth(
            col, std::max(PLAN_COLUMNS[col - 1].width, m_grid->horizontalHeader()->sectionSizeHint(col - 1)));
    }
    StyleBodyRows(1, rows);
}

// The campaign list, the unit and overlap lists and the read-only product of body rows.
void CProductionPlanDialog::StyleBodyRows(int first, int last)
{
    const auto body = [first, last](int col) { return CGridRange(first, col, last, col); };
    const auto list = [](const QString& choices) {
        return CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(choices);
    };
    m_grid->SetStyleRange(CGridRange(first, 1, last, PLAN_COLUMN_COUNT),
                          CGridCellStyle().SetHorizontalAlignment(Qt::AlignLeft));
    m_grid->SetStyleRange(body(PLAN_COL_CAMPAIGN), CGridCellStyle().SetControl(PLAN_CAMPAIGN_CONTROL));
    m_grid->SetStyleRange(body(PLAN_COL_UNIT), list(m_quantityUnitList));
    m_grid->SetStyleRange(body(PLAN_COL_CAMPAIGN_OVERLAP), list(m_yesNoList));
    m_grid->SetStyleRange(body(PLAN_COL_BATCH_OVERLAP), list(m_yesNoList));
    m_grid->SetStyleRange(body(PLAN_COL_INTERVAL_UNIT), list(m_timeUnitList));
    m_grid->SetStyleRange(body(PLAN_COL_PRODUCT),
                          CGridCellStyle().SetInterior(GRID_READONLY_COLOR).SetEnabled(false).SetReadOnly(true));
}

// Each stored requirement whose campaign still exists takes the next row.
bool CProductionPlanDialog::LoadCampaignRows()
{
    CPlanRequirementsSet requirements;
    if (!requirements.OpenSet(m_planID))
        return false;
    m_nextFreeRow = 1;
    for (requirements.MoveFirst(); !requirements.IsEOF(); requirements.MoveNext()) {
        if (!LoadRequirementRow(requirements))
            return false;
    }
    return true;
}

bool CProductionPlanDialog::LoadRequirementRow(const CPlanRequirementsSet& requirement)
{
    const auto isNull = [&requirement](const char* column) {
        return requirement.IsFieldNull(QString::fromLatin1(column));
    };
    if (isNull("StepOrProcessID") || isNull("Quantity") || isNull("QuantityUOM"))
        return true;
    const int item = m_campaigns.Find(requirement.GetText(QStringLiteral("StepOrProcess")),
                                      requirement.GetLong(QStringLiteral("StepOrProcessID")));
    if (item < 0)
        return true;
    const int row = m_nextFreeRow++;
    ShowCampaignRow(row, item);
    const auto show = [this, row](int col, const QString& text) { m_grid->SetValueRowCol(row, col, text); };
    show(PLAN_COL_QUANTITY, FormatDouble(requirement.GetDouble(QStringLiteral("Quantity"))));
    show(PLAN_COL_UNIT, requirement.GetText(QStringLiteral("QuantityUOM")));
    const auto yesNo = [](bool on) { return on ? QStringLiteral("YES") : QStringLiteral("NO"); };
    if (!isNull("FirstBatchOverlap"))
        show(PLAN_COL_CAMPAIGN_OVERLAP, yesNo(requirement.GetBool(QStringLiteral("FirstBatchOverlap"))));
    if (!isNull("IntraCampaignBatchOverlap"))
        show(PLAN_COL_BATCH_OVERLAP, yesNo(requirement.GetBool(QStringLiteral("IntraCampaignBatchOverlap"))));
    if (!isNull("EarliestStartTime"))
        show(PLAN_COL_START, CQVGridWnd::FormatPlanDateTime(DateTimeFromOleDate(requirement.GetDate(QStringLiteral("EarliestStartTime")))));
    if (!isNull("BatchTimeInterval"))
        show(PLAN_COL_INTERVAL, FormatDouble(requirement.GetDouble(QStringLiteral("BatchTimeInterval"))));
    if (!isNull("BatchTimeIntervalUOM"))
        show(PLAN_COL_INTERVAL_UNIT, requirement.GetText(QStringLiteral("BatchTimeIntervalUOM")));
    return AddCampaignSteps(item);
}

void CProductionPlanDialog::ShowCampaignRow(int row, int item)
{
    m_grid->SetValueWithItemData(row, PLAN_COL_CAMPAIGN, m_campaigns.At(item).EntryText(), item);
    ApplyCampaignToRow(row, item);
}

void CProductionPlanDialog::OnGridItemChanged(int row, int col)
{
    if (col == PLAN_COL_CAMPAIGN && !m_loadingRows)
        ApplyCampaignsToRows(row, row);
}

void CProductionPlanDialog::ApplyCampaignsToRows(int first, int last)
{
    for (int row = first; row <= last; ++row)
        ApplyCampaignToRow(row, m_campaigns.Resolve(m_grid->GetValueRowCol(row, PLAN_COL_CAMPAIGN).trimmed(),
                                                    m_grid->GetStoredItemData(row, PLAN_COL_CAMPAIGN)));
}

// The unit choices and the product of the row's campaign (none: the quantity units, no product).
void CProductionPlanDialog::ApplyCampaignToRow(int row, int item)
{
    const bool cleaning = item >= 0 && m_campaigns.At(item).IsCleaningStep();
    const QString units = cleaning ? m_cleaningUnitList : m_quantityUnitList;
    if (m_grid->GetChoiceList(row, PLAN_COL_UNIT).join(u'\n') != units)
        m_grid->SetStyleRange(CGridRange(row, PLAN_COL_UNIT), CGridCellStyle().SetChoiceList(units));
    const QString product = item >= 0 ? m_campaigns.At(item).productName : QString();
    if (m_grid->GetValueRowCol(row, PLAN_COL_PRODUCT) != product)
        m_grid->SetValueRowCol(row, PLAN_COL_PRODUCT, product);
}
