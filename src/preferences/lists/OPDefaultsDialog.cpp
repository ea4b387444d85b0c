#include "preferences/lists/OPDefaultsDialog.h"

#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "preferences/lists/OPDefaultsGrid.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
constexpr long OP_DEFAULTS_HELP_TOPIC = 787;
enum OPDefaultsColumn { OPERATION_COL = 1, VARIABLE_COL = 2, VALUE_COL = 3, UNIT_COL = 4 };
const QColor OPERATION_HEAD_COLOR(0, 255, 255);
const QString OP_AMBIENT_PRESSURE = QStringLiteral("Ambient Pressure");

QPushButton* OPDefaultsButton(QWidget* parent, QHBoxLayout* row, const char* text, int id)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(id));
    row->addWidget(button);
    return button;
}
} // namespace

COPDefaultsDialog::COPDefaultsDialog(QWidget* parent) : QDialog(parent), m_grid(new COPDefaultsGrid(this))
{
    setObjectName(QStringLiteral("207"));
    setWindowTitle(QStringLiteral("Global Defaults - Preferences"));
    m_grid->setObjectName(QStringLiteral("1360"));
    m_grid->setAccessibleName(QStringLiteral("OP Defaults Grid"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    auto* row = new QHBoxLayout;
    m_reset = OPDefaultsButton(this, row, "Reset", 3);
    QPushButton* print = OPDefaultsButton(this, row, "Print", 4);
    row->addStretch(1);
    m_ok = OPDefaultsButton(this, row, "OK", 1);
    QPushButton* cancel = OPDefaultsButton(this, row, "Cancel", 2);
    layout->addLayout(row);
    connect(m_ok, &QPushButton::clicked, this, &COPDefaultsDialog::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_reset, &QPushButton::clicked, this, &COPDefaultsDialog::OnReset);
    connect(print, &QPushButton::clicked, this, &COPDefaultsDialog::OnPrint);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &COPDefaultsDialog::OnCommandHelp);
    resize(560, 420);
    OnInitDialog();
}

COPDefaultsDialog::~COPDefaultsDialog() = default;

QPushButton* COPDefaultsDialog::button(int id) const
{
    return findChild<QPushButton*>(QString::number(id));
}

void COPDefaultsDialog::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), OP_DEFAULTS_HELP_TOPIC);
}

bool COPDefaultsDialog::OnInitDialog()
{
    m_ok->setEnabled(false);
    m_reset->setEnabled(false);
    if (!GetSortServices()) {
        QvMessageBox(QStringLiteral("Can't find the application main frame!"));
        return false;
    }
    WaitCursor wait;
    m_grid->Initialize();
    QList<GasMaterial> gases;
    if (!ReadGasMaterials(&gases)) {
        QvMessageBox(QStringLiteral("Can't open Material table for initialization!"));
        return true;
    }
    ChoiceLists lists;
    lists.materials = gases;
    QStringList names;
    for (const GasMaterial& gas : gases)
        names << gas.name;
    SortChoiceList(lists.gases, names.join(u'\n'));
    lists.air = DisplayTextOfKey(QStringLiteral("Air"), QStringLiteral("Air"));
    SortChoiceList(lists.vesselGases, names.join(u'\n') + u'\n' + lists.air);
    QList<OperationDefaultRow> rows;
    if (!ReadOperationDefaultRows(&rows)) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for initialization!"));
        return true;
    }
    LayOutGrid(int(rows.size()));
    for (int r = 1; r <= rows.size(); ++r)
        ShowRow(r, rows.at(r - 1), r > 1 ? rows.at(r - 2).operationName : QString(), lists);
    m_nRowCount = int(rows.size());
    m_ok->setEnabled(true);
    m_reset->setEnabled(true);
    return true;
}

void COPDefaultsDialog::LayOutGrid(int rows)
{
    m_grid->SetRowCount(rows);
    m_grid->SetColCount(4);
    const char* headings[] = {"Operation", "Variable", "Default Value", "Unit of Measure"};
    const int widths[] = {150, 120, 90, 140};
    for (int col = 1; col <= 4; ++col) {
        m_grid->SetValueRowCol(0, col, QString::fromLatin1(headings[col - 1]));
        m_grid->SetColWidth(col, widths[col - 1]);
    }
    m_grid->SetColWidth(0, 0);
    m_grid->SetStyleRange(CGridRange(0, 1, 0, 4), CGridCellStyle().SetInterior(GRID_HEADING_COLOR).SetEnabled(false));
    if (rows == 0)
        return;
    m_grid->SetStyleRange(CGridRange(1, OPERATION_COL, rows, VARIABLE_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_STATIC).SetReadOnly(true).SetEnabled(false).SetInterior(
                              GRID_READONLY_COLOR));
    m_grid->SetStyleRange(CGridRange(1, VALUE_COL, rows, VALUE_COL), CGridCellStyle().SetControl(GRID_CTRL_EDIT));
    m_grid->SetStyleRange(CGridRange(1, UNIT_COL, rows, UNIT_COL), CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST));
    for (int r = 1; r <= rows; ++r)
        m_grid->SetRowHeight(r, 24);
}

void COPDefaultsDialog::ShowRow(int row, const OperationDefaultRow& values, const QString& operationAbove,
                                const ChoiceLists& lists)
{
    m_rowIDs << values.id;
    m_unitLists << values.unitList;
    if (row == 1 || values.operationName.compare(operationAbove, Qt::CaseInsensitive) != 0)
        m_grid->SetStyleRange(CGridRange(row, OPERATION_COL),
                              CGridCellStyle().SetValue(values.operationName).SetInterior(OPERATION_HEAD_COLOR));
    m_grid->SetValueRowCol(row, VARIABLE_COL, values.defaultName);
    if (values.defaultName == OP_AMBIENT_PRESSURE)
        m_nAmbientPressureRow = row;
    switch (values.kind) {
    case DEFAULT_VALUE_WITH_UNIT:
    case DEFAULT_VALUE:
    case DEFAULT_VALUE_WITH_LABEL:
        ShowValueCell(row, values);
        break;
    case DEFAULT_GAS:
        ShowGasCell(row, values, lists);
        break;
    case DEFAULT_CHOICE:
        ShowChoiceCell(row, values);
        break;
    default:
        break;
    }
}

void COPDefaultsDialog::ShowValueCell(int row, const OperationDefaultRow& values)
{
    CGridCellStyle value;
    value.SetValue(FormatDouble(values.currentValue, 7));
    if (const int attribute = UserAttributeForRuleCode(values.validationRule))
        value.SetUserAttribute(attribute, RuleNameOfAttribute(attribute));
    m_grid->SetStyleRange(CGridRange(row, VALUE_COL), value);
    if (values.kind == DEFAULT_VALUE_WITH_UNIT) {
        QString units;
        GetDisplayChoiceList(values.unitList, units);
        m_grid->SetUnitList(row, values.unitList);
        m_grid->SetStyleRange(CGridRange(row, UNIT_COL), CGridCellStyle().SetChoiceList(units).SetValue(
                                                             DisplayTextOfKey(values.unitList, values.currentUnit)));
        return;
    }
    if (values.kind == DEFAULT_VALUE_WITH_LABEL)
        m_grid->SetValueRowCol(row, UNIT_COL, values.controlLabel);
    DisableCell(row, UNIT_COL);
}

void COPDefaultsDialog::ShowGasCell(int row, const OperationDefaultRow& values, const ChoiceLists& lists)
{
    const QString& choices = IsVesselGasRow(values.defaultName) ? lists.vesselGases : lists.gases;
    m_grid->SetStyleRange(CGridRange(row, UNIT_COL), CGridCellStyle().SetChoiceList(choices).SetValue(
                                                         GasName(values.currentValue, lists.materials, lists.air)));
    DisableCell(row, VALUE_COL);
}

void COPDefaultsDialog::ShowChoiceCell(int row, const OperationDefaultRow& values)
{
    QString choices;
    if (values.unitList.isEmpty())
        SortChoiceList(choices, values.comboList);
    else
        GetDisplayChoiceList(values.unitList, choices);
    m_grid->SetStyleRange(CGridRange(row, UNIT_COL), CGridCellStyle().SetChoiceList(choices).SetValue(
                                                         DisplayTextOfKey(values.unitList, values.currentUnit)));
    DisableCell(row, VALUE_COL);
}

void COPDefaultsDialog::DisableCell(int row, int col)
{
    m_grid->SetStyleRange(CGridRange(row, col), CGridCellStyle().SetEnabled(false).SetInterior(GRID_READONLY_COLOR));
}

// Air for 0, else the name of the gas of that id ("" when there is none).
QString COPDefaultsDialog::GasName(double id, const QList<GasMaterial>& gases, const QString& air) const
{
    if (id == 0)
        return air;
    const GasMaterial* gas = FindGasById(gases, id);
    return gas ? gas->name : QString();
}

bool IsVesselGasRow(const QString& defaultName)
{
    return defaultName.compare(QLatin1String("Vessel Initialization Gas"), Qt::CaseInsensitive) == 0 ||
           defaultName.compare(QLatin1String("Vessel Vent Gas"), Qt::CaseInsensitive) == 0;
}
