#include "preferences/emissions/VaporEmissionCtrlEfficiencyTab.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/project/QueryControlEfficiencyDefaults.h"
#include "foundation/db/project/QueryControlEfficiencyLib.h"

#include <QHash>

namespace {
constexpr int CATEGORY_COLUMN = 1;
constexpr int EFFICIENCY_COLUMN = 2;
constexpr int MAX_EFFICIENCY_TEXT = 29;

CGridCellStyle EfficiencyTabHeading(const QString& text)
{
    CGridCellStyle style;
    style.SetValue(text).SetInterior(GRID_HEADING_COLOR).SetReadOnly(true);
    return style;
}
} // namespace

CVaporEmissionCtrlEfficiencyTab::CVaporEmissionCtrlEfficiencyTab()
{
    m_grid = AddValidatedGrid(EFFICIENCY_GRID, this);
    WaitCursor wait;
    m_loaded = Load();
}

bool CVaporEmissionCtrlEfficiencyTab::Load()
{
    if (!ReadCategories()) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for initialization!"));
        LayOutGrid(0);
        return false;
    }
    LayOutGrid(int(m_categories.size()));
    if (!ShowStoredEfficiencies()) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for update!"));
        return false;
    }
    return true;
}

bool CVaporEmissionCtrlEfficiencyTab::ReadCategories()
{
    CQueryControlEfficiencyLib library;
    if (!library.OpenSet())
        return false;
    for (; !library.IsEOF(); library.MoveNext())
        m_categories << library.GetText(QStringLiteral("ComponentCategory"));
    library.CloseSet();
    return true;
}

// The first stored row of each category, read in one query.
bool CVaporEmissionCtrlEfficiencyTab::ShowStoredEfficiencies()
{
    CQueryControlEfficiencyDefaults stored;
    stored.SetErrorMode(DaoErrorMode::Quiet);
    if (!stored.OpenSet(QString()))
        return false;
    QHash<QString, QString> byCategory;
    for (; !stored.IsEOF(); stored.MoveNext()) {
        const QString category = stored.GetText(QStringLiteral("ComponentCategory")).toLower();
        if (!byCategory.contains(category) && !stored.IsFieldNull(QStringLiteral("ControlEfficiency")))
            byCategory.insert(category, FormatDouble(stored.GetDouble(QStringLiteral("ControlEfficiency"))));
    }
    stored.CloseSet();
    for (int i = 0; i < m_categories.size(); ++i) {
        m_shownEfficiencies << byCategory.value(m_categories[i].toLower());
        m_grid->SetValueRowCol(i + 1, EFFICIENCY_COLUMN, m_shownEfficiencies.last());
    }
    return true;
}

void CVaporEmissionCtrlEfficiencyTab::LayOutGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(2);
    const double unit = m_grid->minimumWidth() / 384.0;
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(CATEGORY_COLUMN, int(unit * 253));
    m_grid->SetColWidth(EFFICIENCY_COLUMN, int(unit * 110));
    for (int row = 1; row <= rows; ++row)
        m_grid->SetRowHeight(row, 21);
    m_grid->SetStyleRange(CGridRange(0, CATEGORY_COLUMN),
                          EfficiencyTabHeading(QStringLiteral("Component  Category")));
    m_grid->SetStyleRange(CGridRange(0, EFFICIENCY_COLUMN),
                          EfficiencyTabHeading(QStringLiteral("Control  Efficiency")));
    for (int row = 1; row <= rows; ++row)
        m_grid->SetStyleRange(CGridRange(row, CATEGORY_COLUMN), CGridCellStyle()
                                                                    .SetControl(GRID_CTRL_EDIT)
                                                                    .SetValue(m_categories[row - 1])
                                                                    .SetInterior(GRID_READONLY_COLOR)
                                                                    .SetReadOnly(true));
    if (rows > 0)
        m_grid->SetStyleRange(CGridRange(1, EFFICIENCY_COLUMN, rows, EFFICIENCY_COLUMN),
                              CGridCellStyle()
                                  .SetControl(GRID_CTRL_EDIT)
                                  .SetUserAttribute(UA_PERCENT4, QStringLiteral("Percent4")));
}

// Texts longer than the efficiency field are refused like any other non-number.
bool CVaporEmissionCtrlEfficiencyTab::ValidateCell(CObjectGridWnd&, int, int col, const QString& text,
                                                   QString* warning)
{
    if (col != EFFICIENCY_COLUMN || text.trimmed().size() <= MAX_EFFICIENCY_TEXT)
        return true;
    *warning = QString::fromLatin1(NUMBER_PROMPT_TEXT);
    return false;
}

bool CVaporEmissionCtrlEfficiencyTab::CheckEntries()
{
    if (!DDV_GXGridWnd(m_grid))
        return false;
    for (int row = 1; row <= m_categories.size(); ++row) {
        const QString text = m_grid->GetValueRowCol(row, EFFICIENCY_COLUMN);
        QString warning;
        if (ValidateCell(*m_grid, row, EFFICIENCY_COLUMN, text, &warning))
            warning = CheckAttributeRules(m_grid->GetUserAttributes(row, EFFICIENCY_COLUMN), text, QString());
        if (warning.isEmpty())
            continue;
        QvMessageBox(warning);
        m_grid->setFocus();
        m_grid->SetCurrentCell(row, EFFICIENCY_COLUMN);
        return false;
    }
    return true;
}

bool CVaporEmissionCtrlEfficiencyTab::WritePage(CDaoDatabase& project)
{
    QList<QPair<QString, double>> values;
    bool changed = false;
    for (int row = 1; row <= m_categories.size(); ++row) {
        const QString text = m_grid->GetValueRowCol(row, EFFICIENCY_COLUMN);
        changed = changed || text != m_shownEfficiencies.value(row - 1);
        double value = 0;
        if (!text.trimmed().isEmpty() && ParseDouble(text, &value, false))
            values.append({m_categories[row - 1], value});
    }
    if (changed)
        CQueryControlEfficiencyDefaults::ReplaceCategories(project, m_categories, values);
    return changed;
}
