#include "preferences/emissions/VaporEmissionParameterTab.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/project/QueryVaporEmissionDefaults.h"


namespace {
constexpr int NAME_COLUMN = 1;
constexpr int VALUE_COLUMN = 2;
constexpr int UNIT_COLUMN = 3;
constexpr int MAX_TEXT = 255;

CGridCellStyle GreyParameterCell()
{
    CGridCellStyle style;
    style.SetControl(GRID_CTRL_STATIC).SetInterior(GRID_READONLY_COLOR).SetReadOnly(true);
    return style;
}

// The entries of a choice row: two stored texts have their own display, the rest split on blanks.
QString ParameterComboEntries(const QString& comboList)
{
    if (comboList == QLatin1String("Inlet_Stream Vessel_Contents"))
        return QStringLiteral("Inlet Stream\nVessel Contents");
    if (comboList == QLatin1String("1994_ACT HEI"))
        return QStringLiteral("1994 ACT\nHEI");
    return QString(comboList).replace(u' ', u'\n');
}
} // namespace

CVaporEmissionParameterTab::CVaporEmissionParameterTab()
{
    m_grid = AddValidatedGrid(PARAMETER_GRID, this);
    WaitCursor wait;
    m_loaded = GetSortServices() && Load();
}

bool CVaporEmissionParameterTab::Load()
{
    CQueryVaporEmissionDefaults set;
    set.SetErrorMode(DaoErrorMode::Quiet);
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for initialization!"));
        return false;
    }
    LayOutGrid(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row)
        m_rows << ShowRow(row, set);
    set.CloseSet();
    return true;
}

void CVaporEmissionParameterTab::LayOutGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(3);
    const double unit = m_grid->minimumWidth() / 384.0;
    m_grid->SetColWidth(0, 0);
    m_grid->SetColWidth(NAME_COLUMN, int(unit * 204));
    m_grid->SetColWidth(VALUE_COLUMN, int(unit * 65));
    m_grid->SetColWidth(UNIT_COLUMN, int(unit * 110));
    for (int row = 1; row <= rows; ++row)
        m_grid->SetRowHeight(row, 21);
    const char* headings[] = {"Parameter", "Value", "Unit"};
    for (int col = 1; col <= 3; ++col)
        m_grid->SetStyleRange(CGridRange(0, col), CGridCellStyle()
                                                      .SetValue(QString::fromLatin1(headings[col - 1]))
                                                      .SetInterior(GRID_HEADING_COLOR)
                                                      .SetReadOnly(true));
    if (rows == 0)
        return;
    m_grid->SetStyleRange(CGridRange(1, NAME_COLUMN, rows, NAME_COLUMN), GreyParameterCell());
    m_grid->SetStyleRange(CGridRange(1, VALUE_COLUMN, rows, VALUE_COLUMN),
                          CGridCellStyle().SetControl(GRID_CTRL_EDIT));
    m_grid->SetStyleRange(CGridRange(1, UNIT_COLUMN, rows, UNIT_COLUMN),
                          CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST));
}

CVaporEmissionParameterTab::ParameterRow
CVaporEmissionParameterTab::ShowRow(int row, const CQueryVaporEmissionDefaults& set)
{
    ParameterRow parameter;
    parameter.operationDefaultID = set.GetLong(QStringLiteral("OperationDefaultID"));
    parameter.controlState = int(set.GetDouble(QStringLiteral("ControlState")));
    parameter.storedValue = set.GetFieldValue(QStringLiteral("CurrentDefaultValue"));
    parameter.storedUnit = set.GetFieldValue(QStringLiteral("CurrentValueUOM"));
    m_grid->SetValueRowCol(row, NAME_COLUMN, set.GetText(QStringLiteral("DefaultName")));
    const int state = parameter.controlState;
    if (state >= 1 && state <= 3)
        ShowValue(row, set.GetDouble(QStringLiteral("CurrentDefaultValue")),
                  int(set.GetDouble(QStringLiteral("ValidationRule"))));
    else
        m_grid->SetStyleRange(CGridRange(row, VALUE_COLUMN), GreyParameterCell());
    if (state == 1 || state == 5)
        ShowUnitChoice(row, parameter, set);
    else
        m_grid->SetStyleRange(CGridRange(row, UNIT_COLUMN),
                              GreyParameterCell().SetValue(
                                  state == 3 ? set.GetText(QStringLiteral("ControlLabel")) : QString()));
    parameter.shownValue = m_grid->GetValueRowCol(row, VALUE_COLUMN);
    parameter.shownUnit = m_grid->GetValueRowCol(row, UNIT_COLUMN);
    return parameter;
}

void CVaporEmissionParameterTab::ShowValue(int row, double value, int ruleCode)
{
    CGridCellStyle style = CGridCellStyle().SetValue(FormatDouble(value));
    if (const int attribute = UserAttributeForRuleCode(ruleCode); attribute != 0 && ruleCode <= 11)
        style.SetUserAttribute(attribute, RuleNameOfAttribute(attribute));
    m_grid->SetStyleRange(CGridRange(row, VALUE_COLUMN), style);
}

// Units of the quantity, the managed display texts of a "Leak Rate" list, or the row's choices.
// A stored key the managed list lacks shows as stored.
void CVaporEmissionParameterTab::ShowUnitChoice(int row, ParameterRow& parameter,
                                                const CQueryVaporEmissionDefaults& set)
{
    const QString listName = set.GetText(QStringLiteral("ControlUOMList"));
    const QString stored = set.GetText(QStringLiteral("CurrentValueUOM"));
    QString choices;
    QString shown = stored;
    if (parameter.controlState == 5) {
        SortChoiceList(choices, ParameterComboEntries(set.GetText(QStringLiteral("ComboList"))));
    } else if (set.GetText(QStringLiteral("DefaultName")) == QLatin1String("Leak Rate")) {
        parameter.leakRate = true;
        parameter.listName = listName;
        GetDisplayChoiceList(listName, choices);
        GetDisplayValue(listName, stored, shown);
    } else {
        QString units;
        GetUnitChoiceList(listName, units);
        SortChoiceList(choices, units);
    }
    m_grid->SetStyleRange(CGridRange(row, UNIT_COLUMN),
                          CGridCellStyle().SetChoiceList(choices).SetValue(shown));
}

bool CVaporEmissionParameterTab::IsValueRow(const ParameterRow& parameter) const
{
    return parameter.controlState >= 1 && parameter.controlState <= 3;
}

bool CVaporEmissionParameterTab::ValidateCell(CObjectGridWnd&, int row, int col, const QString& text,
                                              QString* warning)
{
    double value = 0;
    if (col != VALUE_COLUMN || row < 1 || row > m_rows.size() || !IsValueRow(m_rows[row - 1]))
        return true;
    if (text.size() <= MAX_TEXT && ParseDouble(text, &value, false))
        return true;
    *warning = QString::fromLatin1(NUMBER_PROMPT_TEXT);
    return false;
}

bool CVaporEmissionParameterTab::CheckEntries()
{
    if (!DDV_GXGridWnd(m_grid))
        return false;
    for (int row = 1; row <= m_rows.size(); ++row) {
        // A value as it was read (an unset 1e35 among them) is kept, not judged.
        const QString text = m_grid->GetValueRowCol(row, VALUE_COLUMN);
        QString warning;
        if (text != m_rows[row - 1].shownValue && !ValidateCell(*m_grid, row, VALUE_COLUMN, text, &warning)) {
            QvMessageBox(warning);
            m_grid->setFocus();
            m_grid->SetCurrentCell(row, VALUE_COLUMN);
            return false;
        }
    }
    return true;
}

// The unit a row stores: the chosen text, or for "Leak Rate" the key of the chosen display
// text; a key shown because the list lacked it goes back as it was.
QVariant CVaporEmissionParameterTab::UnitToStore(int row, const ParameterRow& parameter) const
{
    const QString shown = m_grid->GetValueRowCol(row, UNIT_COLUMN);
    if (shown == parameter.shownUnit)
        return parameter.storedUnit;
    QString key = shown;
    if (parameter.leakRate && !GetKeyValue(parameter.listName, shown, key))
        return parameter.storedUnit;
    return key;
}

bool CVaporEmissionParameterTab::WritePage(CDaoDatabase& project)
{
    QList<VaporEmissionValue> changed;
    for (int row = 1; row <= m_rows.size(); ++row) {
        const ParameterRow& parameter = m_rows[row - 1];
        VaporEmissionValue write{parameter.operationDefaultID, parameter.storedValue, parameter.storedUnit};
        const QString text = m_grid->GetValueRowCol(row, VALUE_COLUMN);
        double value = 0;
        if (IsValueRow(parameter) && text != parameter.shownValue && ParseDouble(text, &value, false))
            write.value = value;
        if (parameter.controlState == 1 || parameter.controlState == 5)
            write.unit = UnitToStore(row, parameter);
        if (write.value != parameter.storedValue || write.unit != parameter.storedUnit)
            changed << write;
    }
    CQueryVaporEmissionDefaults::WriteValues(project, changed);
    return !changed.isEmpty();
}
