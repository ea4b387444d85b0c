#include "preferences/lists/OPDefaultsGrid.h"

#include "foundation/common/ParseDouble.h"
#include "foundation/controls/GridCellRoles.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "recipe/edit/FieldUnits.h"

bool COPDefaultsGrid::IsCellEnabled(int row, int col) const
{
    const QTableWidgetItem* cell = row > 0 && col > 0 ? item(row - 1, col - 1) : nullptr;
    return cell && cell->data(ROLE_CELL_ENABLED).toBool();
}

bool COPDefaultsGrid::OnValidateCell(int row, int col, const QString& text, QString* warning)
{
    const QString unitKey = KeyOfDisplayText(m_unitLists.value(row), GetValueRowCol(row, col + 1));
    *warning = CheckAttributeRules(GetUserAttributes(row, col), text, unitKey);
    // A value with a unit is a number whose limits hold in internal units: 1e34 min is 6e35 s.
    double value = 0;
    if (warning->isEmpty() && !m_unitLists.value(row).isEmpty() &&
        (!ParseDouble(text, &value, false) || !IsStorableInUnit(value, unitKey)))
        *warning = QString::fromLatin1(NUMBER_PROMPT_TEXT);
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
