#include "preferences/costs/MyGXButton.h"

#include "foundation/common/MessageBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/costs/CalculatedItemsDialog.h"

QString CostFactorIDText(long id)
{
    return QString::number(id);
}

CMyGXButton::CMyGXButton(CObjectGridWnd* grid) : m_grid(grid)
{
    m_grid->RegisterButton(CONTROL_ID, [this](int row, int col) { LButtonUp(row, col); });
}

long CMyGXButton::Find(long id) const
{
    for (long i = 0; i < m_records.GetSize(); ++i)
        if (m_records[i].m_costFactorID == id)
            return i;
    return -1;
}

bool CMyGXButton::GetCostFactorData(long id, CostFactorData* out) const
{
    const long at = Find(id);
    if (at < 0)
        return false;
    *out = m_records[at];
    return true;
}

bool CMyGXButton::SetCostFactorData(const CostFactorData* data)
{
    const long at = Find(data->m_costFactorID);
    if (at < 0)
        return false;
    m_records[at].m_items = data->m_items;
    return true;
}

void CMyGXButton::LButtonUp(int, int)
{
    int row = 0, col = 0;
    const QString idText = m_grid->GetCurrentCell(&row, &col) ? m_grid->GetValueRowCol(row, ID_COL) : QString();
    if (idText.isEmpty()) {
        QvMessageBox(QStringLiteral("Can't retrieve Cost Factor ID."));
        return;
    }
    CCalculatedItemsDialog dialog(m_grid);
    if (!GetCostFactorData(idText.toLong(), &dialog.m_data)) {
        QvMessageBox(QStringLiteral("Can't retrieve Cost Factor data."));
        return;
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!SetCostFactorData(&dialog.m_data)) {
        QvMessageBox(QStringLiteral("Failed to set Cost Factor data."));
        return;
    }
    ShowItems(row, dialog.m_data, dialog.m_bTimes);
}

void CMyGXButton::ShowItems(int row, const CostFactorData& data, bool times)
{
    CGridCellStyle unit;
    unit.SetEnabled(times).SetInterior(times ? QColor(Qt::white) : GRID_READONLY_COLOR);
    if (!times)
        unit.SetValue(QString());
    m_grid->SetStyleRange(CGridRange(row, UOM_COL), unit);
    m_grid->SetValueRowCol(row, ITEMS_COL, ItemNames(data.m_items));
}

QString CMyGXButton::ItemNames(const Array<long>& codes)
{
    QStringList names;
    for (long i = 0; i < codes.GetSize(); ++i) {
        if (m_library.OpenSet(codes[i]) && !m_library.IsEOF())
            names << m_library.GetText(QStringLiteral("CalculatedCostFactor"));
    }
    m_library.CloseSet();
    return names.join(QStringLiteral(" + "));
}
