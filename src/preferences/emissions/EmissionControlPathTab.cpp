#include "preferences/emissions/EmissionControlPathTab.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/equipment/PlantSet.h"
#include "preferences/emissions/EmissionPageActivation.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

CEmissionControlPathTab::CEmissionControlPathTab(QWidget* parent) : CEmissionSheetPage(parent)
{
    setWindowTitle(QStringLiteral("Emission Control Paths"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please select facility "), this));
    m_facilityCombo = new QComboBox(this);
    layout->addWidget(m_facilityCombo);
    auto* group = new QGroupBox(QStringLiteral(" Please specify the Emission Control Paths "), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_grid = new CObjectGridWnd(group);
    groupLayout->addWidget(m_grid);
    layout->addWidget(group);
    resize(552, 396);
    m_grid->Initialize();
    m_equipmentList = new CMyGXComboBox;
    m_pathList = new CMyGXComboBox;
    m_grid->RegisterControl(EQUIPMENT_LIST, m_equipmentList);
    m_grid->RegisterControl(PATH_LIST, m_pathList);
    m_grid->RegisterButton(EQUIPMENT_MORE, [this](int row, int) { OnEquipmentMore(row); });
    m_grid->RegisterButton(PATH_MORE, [this](int row, int) { OnPathMore(row); });
    LayOutGrid();
    m_loaded = FillFacilities();
    if (m_currentFacility != -1)
        ShowFacility(m_currentFacility);
    connect(m_facilityCombo, qOverload<int>(&QComboBox::activated), this, [this] { OnSelEndOkFacility(); });
}

void CEmissionControlPathTab::LayOutGrid()
{
    m_grid->SetRowCount(MIN_ROWS);
    m_grid->SetColCount(4);
    SizeColumns();
    m_grid->installEventFilter(this);
    const QStringList headers{QStringLiteral("Equipment"), QString(), QStringLiteral("Emission Control Path"),
                              QString()};
    for (int col = 1; col <= 4; ++col)
        m_grid->SetStyleRange(CGridRange(0, col), CGridCellStyle()
                                                      .SetValue(headers.at(col - 1))
                                                      .SetInterior(GRID_HEADING_COLOR)
                                                      .SetEnabled(false));
    FormatRows(1, MIN_ROWS);
}

// The columns share the grid's width: 159, 22, 159 and 22 parts of 384.
void CEmissionControlPathTab::SizeColumns()
{
    const float width = float(m_grid->width());
    m_grid->SetColWidth(0, 0);
    for (int col : {COL_EQUIPMENT, COL_PATH})
        m_grid->SetColWidth(col, int(width / 384.0f * 159.0f));
    for (int col : {COL_EQUIPMENT_MORE, COL_PATH_MORE})
        m_grid->SetColWidth(col, int(width / 384.0f * 22.0f));
}

bool CEmissionControlPathTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        SizeColumns();
    return CEmissionSheetPage::eventFilter(watched, event);
}

void CEmissionControlPathTab::FormatRows(int first, int last)
{
    for (int row = first; row <= last; ++row)
        m_grid->SetRowHeight(row, 21);
    const auto button = [](int control) {
        return CGridCellStyle().SetControl(control).SetValue(QStringLiteral("...")).SetInterior(GRID_READONLY_COLOR);
    };
    m_grid->SetStyleRange(CGridRange(first, COL_EQUIPMENT, last, COL_EQUIPMENT),
                          CGridCellStyle().SetControl(EQUIPMENT_LIST));
    m_grid->SetStyleRange(CGridRange(first, COL_EQUIPMENT_MORE, last, COL_EQUIPMENT_MORE), button(EQUIPMENT_MORE));
    m_grid->SetStyleRange(CGridRange(first, COL_PATH, last, COL_PATH), CGridCellStyle().SetControl(PATH_LIST));
    m_grid->SetStyleRange(CGridRange(first, COL_PATH_MORE, last, COL_PATH_MORE), button(PATH_MORE));
}

// Every facility with its id; the first one read is shown.
bool CEmissionControlPathTab::FillFacilities()
{
    CPlantSet plants;
    if (!plants.OpenSet())
        return false;
    for (; !plants.IsEOF(); plants.MoveNext())
        m_facilityCombo->addItem(plants.GetText(QStringLiteral("PlantName")),
                                 qlonglong(plants.GetLong(QStringLiteral("PlantID"))));
    plants.CloseSet();
    if (m_facilityCombo->count() > 0)
        m_currentFacility = long(m_facilityCombo->itemData(0).toLongLong());
    SortComboBox(m_facilityCombo);
    SelectFacilityInCombo(m_currentFacility);
    return true;
}

void CEmissionControlPathTab::SelectFacilityInCombo(long plantID)
{
    m_facilityCombo->setCurrentIndex(m_facilityCombo->findData(qlonglong(plantID)));
}

void CEmissionControlPathTab::OnSelEndOkFacility()
{
    const long selected = long(m_facilityCombo->currentData().toLongLong());
    if (selected == m_currentFacility || m_facilityCombo->currentIndex() < 0)
        return;
    if (!m_grid->UpdateData(true) || !CheckDuplicateEquipment(true)) {
        SelectFacilityInCombo(m_currentFacility);
        return;
    }
    ReadGrid();
    ShowFacility(selected);
}

bool CEmissionControlPathTab::OnKillActive()
{
    return CheckEntries();
}

bool CEmissionControlPathTab::CheckEntries()
{
    if (!m_grid->UpdateData(true) || !CheckDuplicateEquipment(true))
        return false;
    ReadGrid();
    return true;
}

// The first later row naming an item an earlier row names: the page comes to the front with the
// message and the later row's equipment cell current.
bool CEmissionControlPathTab::CheckDuplicateEquipment(bool message)
{
    QHash<long, int> firstRow;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        if (m_grid->GetValueRowCol(row, COL_EQUIPMENT).trimmed().isEmpty() ||
            m_grid->GetValueRowCol(row, COL_PATH).trimmed().isEmpty())
            continue;
        const long id = long(m_grid->GetCellItemData(row, COL_EQUIPMENT));
        if (id < 0)
            continue;
        if (!firstRow.contains(id)) {
            firstRow.insert(id, row);
            continue;
        }
        if (message) {
            ActivateSheetPage(this);
            QvMessageBox(QStringLiteral("Please select only one equipment !"));
            m_grid->setFocus();
            m_grid->SetCurrentCell(row, COL_EQUIPMENT);
        }
        return false;
    }
    return true;
}

void CEmissionControlPathTab::OnHelp()
{
    DisplayHelp(GetHelpFileName(), HELP_TOPIC);
}
