#include "preferences/costs/DirectProductCostTab.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/FactorColumnValidator.h"
#include "foundation/controls/MyComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/project/CostFactorPreferenceSet.h"
#include "foundation/db/project/ItemizedCostFactorSet.h"
#include "preferences/costs/MyGXButton.h"

#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

const char* const FIXED_COST_UNIT_MESSAGE = "Please make a selection from the combo box for \"Fixed Cost\"!";

namespace {
const QString FIXED_COST_TYPE = QStringLiteral("Fixed Cost");
} // namespace

CDirectProductCostTab::CDirectProductCostTab(QWidget* parent)
    : CCostFactorTab({QStringLiteral("Direct Product"), 254, 1396,
                      {QStringLiteral("Direct Product Cost Item"), QStringLiteral("Cost Factor"), QStringLiteral("UOM"),
                       QStringLiteral("Calculated Items"), QString(), QString()},
                      1398, 1399,
                      {QStringLiteral("Direct Product Cost Item =  Cost Factor x Calculated Items"),
                       QStringLiteral("Total Direct Product Cost = Direct Product Cost Item + Fixed Cost")}},
                     parent)
{
    SetFactorValidator(CFactorColumnValidator::RefuseNegative);
    AddFixedCost();
    ReadFixedCost();
}

CDirectProductCostTab::~CDirectProductCostTab() = default;

void CDirectProductCostTab::AddFixedCost()
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(FIXED_COST_TYPE, this));
    m_amountEdit = new QLineEdit(this);
    m_amountEdit->setObjectName(QStringLiteral("1615"));
    m_amountEdit->setAlignment(Qt::AlignRight);
    row->addWidget(m_amountEdit);
    m_currency = new CMyComboBox(this);
    m_currency->setObjectName(QStringLiteral("1179"));
    row->addWidget(m_currency);
    row->addStretch(1);
    PageLayout()->addLayout(row);
}

void CDirectProductCostTab::ReadFixedCost()
{
    CCostFactorPreferenceSet set;
    if (!set.OpenSet(FIXED_COST_TYPE)) {
        QvMessageBox(QString::fromLatin1(COST_FACTOR_INIT_MESSAGE));
        return;
    }
    if (!set.IsEOF()) {
        m_fixedAmount = set.GetDouble(QStringLiteral("CostFactor"));
        m_fixedUnit = set.GetText(QStringLiteral("CostFactorUOM"));
    }
    set.CloseSet();
}

std::vector<int> CDirectProductCostTab::ColumnWidths(int gridWidth) const
{
    const int d = gridWidth - 10;
    return {d / 4 - 10, d / 8, d / 8 - 10, d / 2 - 15, 20};
}

void CDirectProductCostTab::PrepareLoad()
{
    if (!m_button)
        m_button = std::make_unique<CMyGXButton>(grid());
    GetUnitChoiceList(QStringLiteral("OperatingCost"), m_unitList);
    FillUnitCombo(QStringLiteral("Currency"), m_currency, QString());
    ReadStoredItems();
}

// The calculated items of every row of the kind, read at once.
void CDirectProductCostTab::ReadStoredItems()
{
    m_storedItems.clear();
    CItemizedCostFactorSet items;
    if (!items.OpenSetForType(CostFactorType()))
        return;
    for (; !items.IsEOF(); items.MoveNext()) {
        const bool time =
            items.GetText(QStringLiteral("CalculatedCostFactorType")).compare(QLatin1String("Time"), Qt::CaseInsensitive) == 0;
        m_storedItems[items.GetLong(QStringLiteral("CostFactorID"))].append(
            {items.GetLong(QStringLiteral("CalculatedCostFactorID")),
             items.GetText(QStringLiteral("CalculatedCostFactor")), time});
    }
    items.CloseSet();
}

void CDirectProductCostTab::StyleExtraColumns(int first, int last)
{
    grid()->SetStyleRange(CGridRange(first, UOM_COL, last, UOM_COL), CGridCellStyle()
                                                                         .SetControl(GRID_CTRL_DROPDOWNLIST)
                                                                         .SetChoiceList(m_unitList)
                                                                         .SetEnabled(false)
                                                                         .SetInterior(GRID_READONLY_COLOR));
    grid()->SetStyleRange(
        CGridRange(first, ITEMS_COL, last, ITEMS_COL),
        CGridCellStyle().SetControl(GRID_CTRL_STATIC).SetReadOnly(true).SetEnabled(false).SetInterior(GRID_READONLY_COLOR));
    grid()->SetStyleRange(CGridRange(first, BUTTON_COL, last, BUTTON_COL),
                          CGridCellStyle().SetControl(CMyGXButton::CONTROL_ID).SetValue(QStringLiteral("...")).SetInterior(
                              GRID_READONLY_COLOR));
}

void CDirectProductCostTab::LoadRowExtras(int row, const CCostFactorPreferenceSet& set)
{
    CostFactorData record;
    record.m_costFactorID = set.GetLong(QStringLiteral("CostFactorID"));
    QStringList names;
    bool time = false;
    for (const StoredItem& item : m_storedItems.value(record.m_costFactorID)) {
        record.AddItem(item.code);
        if (!item.name.isEmpty())
            names << item.name;
        time = item.time;
    }
    m_button->AddCostFactorData(record);
    grid()->SetValueRowCol(row, ITEMS_COL, names.join(QStringLiteral(" + ")));
    CGridCellStyle unit;
    unit.SetValue(set.GetText(QStringLiteral("CostFactorUOM")));
    if (time)
        unit.SetEnabled(true).SetInterior(Qt::white);
    grid()->SetStyleRange(CGridRange(row, UOM_COL), unit);
}

void CDirectProductCostTab::InsertRowExtras(int, long id)
{
    CostFactorData record;
    record.m_costFactorID = id;
    record.m_flag = 1;
    m_button->AddCostFactorData(record);
}

void CDirectProductCostTab::AfterLoad()
{
    m_storedItems.clear();
    if (m_fixedAmount != UNSET_AMOUNT)
        m_amountEdit->setText(QString::number(m_fixedAmount, 'g', 15));
    SelectFixedUnit();
}

// The entry equal to the stored unit (any case), else the first that begins with it; a unit the
// list lacks is added. No unit stored: nothing selected.
void CDirectProductCostTab::SelectFixedUnit()
{
    if (m_fixedUnit.isEmpty()) {
        m_currency->setCurrentIndex(-1);
        return;
    }
    int found = m_currency->FindStringExact(-1, m_fixedUnit);
    if (found < 0)
        found = m_currency->FindString(-1, m_fixedUnit);
    if (found < 0)
        found = m_currency->AddString(m_fixedUnit);
    m_currency->setCurrentIndex(found);
}

bool CDirectProductCostTab::ExchangeAmount()
{
    if (SetMissingIfEmpty(m_amountEdit, MISSING_DOUBLE, &m_fixedAmount, nullptr))
        return true;
    double amount = 0;
    if (!ParseDouble(m_amountEdit->text(), &amount, true)) {
        m_amountEdit->setFocus();
        m_amountEdit->selectAll();
        return false;
    }
    m_fixedAmount = amount;
    return true;
}

bool CDirectProductCostTab::CheckEntries()
{
    if (!IsLoaded())
        return true;
    if (!ExchangeAmount() || !CCostFactorTab::CheckEntries())
        return false;
    m_fixedUnit = m_currency->currentText();
    if (m_fixedAmount != UNSET_AMOUNT && m_fixedUnit.isEmpty()) {
        QvMessageBox(QString::fromLatin1(FIXED_COST_UNIT_MESSAGE));
        m_currency->setFocus();
        return false;
    }
    return true;
}

QVariant CDirectProductCostTab::RowUnit(int row) const
{
    const QString unit = Cell(row, UOM_COL);
    return unit.isEmpty() ? QVariant() : QVariant(unit);
}

bool CDirectProductCostTab::HoldsID(long id) const
{
    return CCostFactorTab::HoldsID(id) || (m_button && m_button->HoldsID(id));
}

void CDirectProductCostTab::SaveExtras(CDaoDatabase& db, const std::vector<long>& written)
{
    SaveItems(db, written);
    SaveFixedCost(db);
}

// The items of the rows written replace those of the kind; items of ids no row holds go too.
void CDirectProductCostTab::SaveItems(CDaoDatabase& db, const std::vector<long>& written)
{
    ExecKept(db, QStringLiteral("ItemizedCostFactor"),
             QStringLiteral("DELETE FROM ItemizedCostFactor WHERE CostFactorID NOT IN "
                            "(SELECT CostFactorID FROM CostFactor WHERE CostFactorType <> ?)"),
             {CostFactorType()});
    QList<QVariantList> links;
    CostFactorData record;
    for (long id : written) {
        if (!m_button->GetCostFactorData(id, &record))
            continue;
        for (long i = 0; i < record.m_items.GetSize(); ++i)
            links << QVariantList{qlonglong(id), qlonglong(record.m_items[i])};
    }
    if (!links.isEmpty())
        ExecKept(db, QStringLiteral("ItemizedCostFactor"),
                 QStringLiteral("INSERT INTO ItemizedCostFactor (CostFactorID, CalculatedCostFactorID) "
                                "SELECT json_extract(value, '$[0]'), json_extract(value, '$[1]') "
                                "FROM json_each(?) ORDER BY key"),
                 {JsonRows(links)});
}

void CDirectProductCostTab::SaveFixedCost(CDaoDatabase& db)
{
    QList<QVariantList> rows;
    if (m_fixedAmount != UNSET_AMOUNT && !m_fixedUnit.isEmpty())
        rows << QVariantList{0, FIXED_COST_TYPE, FIXED_COST_TYPE, m_fixedAmount, m_fixedUnit, 1};
    ReplaceTableRows(db, QStringLiteral("CostFactor"),
                     {QStringLiteral("CostFactorID"), QStringLiteral("CostFactorType"), QStringLiteral("CostFactorItem"),
                      QStringLiteral("CostFactor"), QStringLiteral("CostFactorUOM"), QStringLiteral("RowOrder")},
                     QStringLiteral("CostFactorType"), FIXED_COST_TYPE, rows);
}
