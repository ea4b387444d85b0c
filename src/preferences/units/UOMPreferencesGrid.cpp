// The grid of the unit-of-measure sets dialog: one row per quantity kind, the set's unit of each
// shown by its display name.

#include "preferences/units/UOMPreferencesDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"

#include <QPushButton>

namespace {
constexpr int UOM_ROW_HEIGHT = 24;
constexpr int UOM_GRID_WIDTH = 400;
const QColor UOM_EDITABLE_COLOR(255, 255, 255);
} // namespace

bool CUOMPreferencesDialog::SetUpGrid()
{
    QHash<QString, QString> probe;
    if (!ReadUOMKinds(m_kinds) || !ReadSetUnits(m_currentID, probe)) {
        m_kinds.clear();
        QvMessageBox(QStringLiteral("Can't open Unit of Measure Detail table for initialization!"));
        return false;
    }
    m_grid->setMinimumWidth(UOM_GRID_WIDTH);
    const int half = qMax(m_grid->width(), UOM_GRID_WIDTH) / 2;
    m_grid->SetRowCount(int(m_kinds.size()));
    m_grid->SetColCount(2);
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(1, half + 20);
    m_grid->SetColWidth(2, half - 42);
    const QStringList headers{QString(), QStringLiteral("Quantity"), QStringLiteral("Unit of Measure")};
    for (int col = 1; col <= 2; ++col)
        m_grid->SetStyleRange(CGridRange(0, col),
                              CGridCellStyle().SetValue(headers[col]).SetInterior(GRID_HEADING_COLOR).SetEnabled(false));
    m_grid->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 1; row <= m_kinds.size(); ++row) {
        const UOMKind& kind = m_kinds.at(row - 1);
        QString choices;
        GetDisplayChoiceList(kind.type, choices);
        m_grid->SetRowHeight(row, UOM_ROW_HEIGHT);
        m_grid->SetStyleRange(CGridRange(row, 1), CGridCellStyle()
                                                      .SetControl(GRID_CTRL_STATIC)
                                                      .SetValue(kind.displayName)
                                                      .SetInterior(GRID_READONLY_COLOR)
                                                      .SetEnabled(false));
        m_grid->SetStyleRange(CGridRange(row, 2),
                              CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(choices));
    }
    return true;
}

void CUOMPreferencesDialog::LoadSetUnits()
{
    QHash<QString, QString> unitByKind;
    if (!ReadSetUnits(m_currentID, unitByKind)) {
        QvMessageBox(QStringLiteral("Can't open Unit of Measure Detail table for update!"));
        return;
    }
    if (!GetSortServices()) {
        QvMessageBox(QStringLiteral("Can't find application main window!"));
        return;
    }
    if (m_currentID == -1) {
        ShowNoSet();
        return;
    }
    FillUnitCells(unitByKind);
    StyleUnitCells(!m_currentReadOnly);
    EnableSetButtons(!m_currentReadOnly);
}

// A kind the set lacks, or a unit the list cannot show, stays empty.
void CUOMPreferencesDialog::FillUnitCells(const QHash<QString, QString>& unitByKind)
{
    for (int row = 1; row <= m_kinds.size(); ++row) {
        const QString& kind = m_kinds.at(row - 1).type;
        QString display;
        const QString unit = unitByKind.value(kind.toLower());
        if (!unit.isEmpty() && !GetDisplayValue(kind, unit, display))
            display.clear();
        m_grid->SetValueRowCol(row, 2, display);
    }
}

void CUOMPreferencesDialog::StyleUnitCells(bool enabled)
{
    for (int row = 1; row <= m_kinds.size(); ++row)
        m_grid->SetStyleRange(CGridRange(row, 2), CGridCellStyle()
                                                      .SetInterior(enabled ? UOM_EDITABLE_COLOR : GRID_READONLY_COLOR)
                                                      .SetEnabled(enabled));
}

void CUOMPreferencesDialog::EnableSetButtons(bool editable)
{
    button(IDC_DELETE)->setEnabled(editable);
    button(IDC_UPDATE)->setEnabled(editable);
}

// No set left to show: nothing to edit until a new one is made.
void CUOMPreferencesDialog::ShowNoSet()
{
    m_currentID = -1;
    m_currentReadOnly = false;
    m_currentName.clear();
    FillUnitCells({});
    StyleUnitCells(false);
    EnableSetButtons(false);
}
