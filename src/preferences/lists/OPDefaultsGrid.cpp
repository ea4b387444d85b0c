#include "preferences/lists/OPDefaultsGrid.h"

#include "foundation/controls/GridCellRoles.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/SortedChoiceLists.h"

bool COPDefaultsGrid::IsCellEnabled(int row, int col) const
{
    const QTableWidgetItem* cell = row > 0 && col > 0 ? item(row - 1, col - 1) : nullptr;
    return cell && cell->data(ROLE_CELL_ENABLED).toBool();
}

bool COPDefaultsGrid::OnValidateCell(int row, int col, const QString& text, QString* warning)
{
    const QString unitKey = KeyOfDisplayText(m_unitLists.value(row), GetValueRowCol(row, col + 1));
    *warning = CheckAttributeRules(GetUserAttributes(row, col), text, unitKey);
    return warning->isEmpty();
}

QString KeyOfDisplayText(const QString& listName, const QString& text)
{
    QString key;
    return !listName.isEmpty() && GetKeyValue(listName, text, key) ? key : text;
}

QString DisplayTextOfKey(const QString& listName, const QString& key)
{
    QString text;
    return !listName.isEmpty() && GetDisplayValue(listName, key, text) ? text : key;
}
