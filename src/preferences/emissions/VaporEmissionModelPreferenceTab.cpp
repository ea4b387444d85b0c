#include "preferences/emissions/VaporEmissionModelPreferenceTab.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/MyGXComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/QVPropertySheet.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/project/QryOperationTypeFromAirEmissionSet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int MODEL_COLUMN = 2;
constexpr int KIND_COLUMN = 1;
constexpr int RANKS = CEmissionModelPreferences::RANKS;

int ModelRow(int kind, int rank)
{
    return RANKS * kind + rank + 1;
}

CGridCellStyle ModelTabHeading(const QString& text)
{
    CGridCellStyle style;
    style.SetValue(text).SetInterior(GRID_HEADING_COLOR).SetReadOnly(true);
    return style;
}
} // namespace

CVaporEmissionModelPreferenceTab::CVaporEmissionModelPreferenceTab(CQVPropertySheet* sheet) : m_sheet(sheet)
{
    WaitCursor wait;
    BuildControls();
    FillOperationCombo();
    if (m_operations->count() > 0) {
        m_operations->setCurrentIndex(0);
        ShowOperationType(m_operations->itemData(0).toLongLong());
    } else {
        LayOutGrid(OperationEmissionModels());
    }
    connect(m_operations, qOverload<int>(&QComboBox::activated), this, [this] { OnSelChangeOperation(); });
}

void CVaporEmissionModelPreferenceTab::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(new QLabel(QStringLiteral("Please select an operation."), group));
    m_operations = new QComboBox(group);
    m_operations->setObjectName(QString::number(OPERATION_COMBO));
    inner->addWidget(m_operations);
    inner->addWidget(new QLabel(QStringLiteral("Please select default air emission models. "), group));
    m_grid = new CObjectGridWnd(group);
    m_grid->setObjectName(QString::number(MODEL_GRID));
    m_grid->setMinimumSize(420, 320);
    m_grid->Initialize();
    m_modelList = new CMyGXComboBox;
    m_grid->RegisterControl(MODEL_LIST_CONTROL, m_modelList);
    inner->addWidget(m_grid, 1);
    layout->addWidget(group);
}

void CVaporEmissionModelPreferenceTab::FillOperationCombo()
{
    CQryOperationTypeFromAirEmissionSet types;
    types.SetErrorMode(DaoErrorMode::Quiet);
    if (!types.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Operation Library table to populate combo box!"));
        return;
    }
    for (; !types.IsEOF(); types.MoveNext())
        m_operations->addItem(types.GetText(QStringLiteral("OperationTypeName")),
                              qlonglong(types.GetLong(QStringLiteral("OperationTypeID"))));
    types.CloseSet();
    SortComboBox(m_operations);
    m_operationsRead = true;
}

void CVaporEmissionModelPreferenceTab::ShowOperationType(long operationTypeID)
{
    m_shownID = operationTypeID;
    const OperationEmissionModels& entry = m_preferences.Entry(operationTypeID);
    LayOutGrid(entry);
    FillModelChoices(entry);
    ShowRankedModels(entry);
    m_grid->SetCurrentCell(1, MODEL_COLUMN);
}

// 8 rows for each kind, at least seven kinds; each kind's label covers its block.
void CVaporEmissionModelPreferenceTab::LayOutGrid(const OperationEmissionModels& entry)
{
    const int kinds = int(entry.kindIDs.size());
    const int rows = RANKS * std::max<int>(MIN_KINDS, kinds);
    SizeGrid(rows);
    m_grid->SetStyleRange(
        CGridRange(1, KIND_COLUMN, rows, KIND_COLUMN),
        CGridCellStyle().SetValue(QString()).SetInterior(GRID_READONLY_COLOR).SetReadOnly(true));
    for (int k = 0; k < rows / RANKS; ++k) {
        m_grid->SetCoveredCellsRowCol(ModelRow(k, 0), KIND_COLUMN, ModelRow(k, RANKS - 1), KIND_COLUMN);
        m_grid->SetStyleRange(CGridRange(ModelRow(k, 0), KIND_COLUMN, ModelRow(k, RANKS - 1), KIND_COLUMN),
                              CGridCellStyle().SetValue(entry.kindLabels.value(k)));
    }
    const int usedRows = RANKS * kinds;
    if (usedRows > 0)
        m_grid->SetStyleRange(
            CGridRange(1, MODEL_COLUMN, usedRows, MODEL_COLUMN),
            CGridCellStyle().SetControl(MODEL_LIST_CONTROL).SetInterior(Qt::white).SetReadOnly(false));
    if (usedRows < rows)
        m_grid->SetStyleRange(CGridRange(usedRows + 1, MODEL_COLUMN, rows, MODEL_COLUMN),
                              CGridCellStyle()
                                  .SetControl(MODEL_LIST_CONTROL)
                                  .SetInterior(GRID_READONLY_COLOR)
                                  .SetReadOnly(true));
}

void CVaporEmissionModelPreferenceTab::SizeGrid(int rows)
{
    m_grid->clearSpans();
    m_grid->SetRowCount(0);
    m_grid->SetColCount(2);
    m_grid->SetRowCount(rows);
    const double unit = m_grid->minimumWidth() / 384.0;
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(KIND_COLUMN, int(unit * 143));
    m_grid->SetColWidth(MODEL_COLUMN, int(unit * 220));
    for (int row = 1; row <= rows; ++row)
        m_grid->SetRowHeight(row, 21);
    m_grid->SetStyleRange(CGridRange(0, KIND_COLUMN), ModelTabHeading(QStringLiteral("Equipment")));
    m_grid->SetStyleRange(CGridRange(0, MODEL_COLUMN), ModelTabHeading(QStringLiteral("Air Emission Model")));
}

void CVaporEmissionModelPreferenceTab::FillModelChoices(const OperationEmissionModels& entry)
{
    m_modelList->ResetContent();
    for (const EmissionModelChoice& model : entry.models)
        m_modelList->SetItemData(m_modelList->AddString(model.name), model.id);
    SortComboBox(m_modelList);
}

void CVaporEmissionModelPreferenceTab::ShowRankedModels(const OperationEmissionModels& entry)
{
    for (int k = 0; k < entry.rankedIDs.size(); ++k)
        for (int r = 0; r < RANKS; ++r)
            if (const long modelID = entry.rankedIDs[k][r]; modelID != -1)
                m_grid->SetValueWithItemData(ModelRow(k, r), MODEL_COLUMN, entry.ModelName(modelID), modelID);
}

// The shown type's slots from the model cells; false when the current cell's edit is refused.
bool CVaporEmissionModelPreferenceTab::CopyGridToEntry()
{
    if (!DDV_GXGridWnd(m_grid))
        return false;
    if (m_shownID == -1 || !m_preferences.Contains(m_shownID))
        return true;
    OperationEmissionModels& entry = m_preferences.Entry(m_shownID);
    for (int k = 0; k < entry.rankedIDs.size(); ++k)
        for (int r = 0; r < RANKS; ++r) {
            const int row = ModelRow(k, r);
            const bool empty = m_grid->GetValueRowCol(row, MODEL_COLUMN).isEmpty();
            entry.rankedIDs[k][r] = empty ? -1 : long(m_grid->GetStoredItemData(row, MODEL_COLUMN));
        }
    return true;
}

// One model may serve several kinds, but only one rank of a kind.
bool CVaporEmissionModelPreferenceTab::ValidateEmissionModelChoices()
{
    if (m_shownID == -1 || !m_preferences.Contains(m_shownID))
        return true;
    const OperationEmissionModels& entry = m_preferences.Entry(m_shownID);
    for (int k = 0; k < entry.rankedIDs.size(); ++k)
        for (int r = 0; r < RANKS; ++r)
            for (int m = r + 1; m < RANKS; ++m) {
                if (entry.rankedIDs[k][r] == -1 || entry.rankedIDs[k][r] != entry.rankedIDs[k][m])
                    continue;
                if (m_sheet && m_sheet->GetActiveIndex() != 0)
                    m_sheet->SetActivePage(0);
                QvMessageBox(
                    QStringLiteral("Please select different air emission model for one equipment unit !"));
                m_grid->setFocus();
                m_grid->SetCurrentCell(ModelRow(k, m), MODEL_COLUMN);
                return false;
            }
    return true;
}

void CVaporEmissionModelPreferenceTab::ReselectShownOperation()
{
    const int index = m_operations->findData(qlonglong(m_shownID));
    if (index >= 0)
        m_operations->setCurrentIndex(index);
}

bool CVaporEmissionModelPreferenceTab::OnKillActive()
{
    if (!CopyGridToEntry())
        return false;
    if (ValidateEmissionModelChoices())
        return true;
    ReselectShownOperation();
    return false;
}

bool CVaporEmissionModelPreferenceTab::CheckEntries()
{
    return OnKillActive();
}

void CVaporEmissionModelPreferenceTab::OnSelChangeOperation()
{
    WaitCursor wait;
    if (!CopyGridToEntry() || !ValidateEmissionModelChoices()) {
        ReselectShownOperation();
        return;
    }
    const int index = m_operations->currentIndex();
    if (index < 0)
        return;
    ShowOperationType(long(m_operations->itemData(index).toLongLong()));
}

bool CVaporEmissionModelPreferenceTab::WritePage(CDaoDatabase& project)
{
    CopyGridToEntry();
    return m_preferences.Write(project);
}
