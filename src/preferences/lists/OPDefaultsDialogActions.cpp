// OK, Reset and Print of the operation defaults dialog, and the hub's entry.

#include "preferences/lists/OPDefaultsDialog.h"

#include "foundation/common/LeadingNumber.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ParseDouble.h"
#include "foundation/common/PrintDialogService.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "preferences/lists/OPDefaultsGrid.h"
#include "preferences/lists/OPDefaultsPrinting.h"
#include "preferences/shared/PreferenceHub.h"

#include <QPrinter>
#include <QPushButton>

namespace {
enum OPDefaultsActionColumn { ACTION_VARIABLE_COL = 2, ACTION_VALUE_COL = 3, ACTION_UNIT_COL = 4 };
constexpr int OP_DEFAULTS_ENTRY = 1372;
constexpr qsizetype NUMBER_TEXT_LIMIT = 255;
const QString NO_MAIN_FRAME = QStringLiteral("Can't find the application main frame!");
} // namespace

QString COPDefaultsDialog::Cell(int row, int col) const
{
    return m_grid->GetValueRowCol(row, col);
}

// The number a value cell starts with; an empty cell is the unset value.
double COPDefaultsDialog::CellNumber(int row) const
{
    const QString text = Cell(row, ACTION_VALUE_COL).trimmed().left(NUMBER_TEXT_LIMIT);
    return text.isEmpty() ? UNSET_VALUE : LeadingDouble(text);
}

bool COPDefaultsDialog::CheckComboSelections()
{
    for (int row = 1; row <= m_nRowCount; ++row) {
        if (m_grid->GetCellControl(row, ACTION_UNIT_COL) != GRID_CTRL_DROPDOWNLIST ||
            !m_grid->IsCellEnabled(row, ACTION_UNIT_COL) || !Cell(row, ACTION_UNIT_COL).trimmed().isEmpty())
            continue;
        QvMessageBox(QStringLiteral("Please make a selection from the combo box for \"%1\"!")
                         .arg(Cell(row, ACTION_VARIABLE_COL)));
        return false;
    }
    return true;
}

void COPDefaultsDialog::OnOK()
{
    WaitCursor wait;
    if (m_nRowCount == 0 || !DDV_GXGridWnd(m_grid) || !CheckComboSelections())
        return;
    if (!MoistureValuesAccepted()) {
        QvMessageBox(QStringLiteral(
            "Critical Moisture Wet Basis value needs to be greater then Equilibrium Moisture Wet Basis value!"));
        return;
    }
    if (!SaveDefaults())
        return;
    ApplyAmbientPressure();
    done(Accepted);
}

// The equilibrium moisture below the critical one, when both rows are there.
bool COPDefaultsDialog::MoistureValuesAccepted() const
{
    std::optional<double> critical, equilibrium;
    for (int row = 1; row <= m_nRowCount; ++row) {
        const QString name = Cell(row, ACTION_VARIABLE_COL);
        if (name.compare(QLatin1String("Critical Moisture Wet Basis"), Qt::CaseInsensitive) == 0)
            critical = CellNumber(row);
        else if (name.compare(QLatin1String("Equilibrium Moisture Wet Basis"), Qt::CaseInsensitive) == 0)
            equilibrium = CellNumber(row);
    }
    return !critical || !equilibrium || *equilibrium < *critical;
}

void COPDefaultsDialog::ApplyAmbientPressure()
{
    AppContext* app = GetAppContext();
    if (!app || m_nAmbientPressureRow == 0)
        return;
    const int row = m_nAmbientPressureRow;
    const QString unit = KeyOfDisplayText(m_unitLists.value(row - 1), Cell(row, ACTION_UNIT_COL));
    app->setAmbientPressure(UserToInternal(unit, CellNumber(row), 1.0, 1.0));
}

bool COPDefaultsDialog::SaveDefaults()
{
    if (!GetSortServices()) {
        QvMessageBox(NO_MAIN_FRAME);
        return false;
    }
    QList<OperationDefaultRow> stored;
    if (!ReadOperationDefaultRows(&stored)) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for update!"));
        return false;
    }
    QList<GasMaterial> gases;
    if (!ReadGasMaterials(&gases)) {
        QvMessageBox(QStringLiteral("Can't open Material table to for update!"));
        return false;
    }
    QList<OperationDefaultWrite> writes;
    for (int row = 1; row <= m_nRowCount; ++row)
        if (const OperationDefaultRow* values = FindOperationDefaultRow(stored, m_rowIDs.value(row - 1)))
            if (std::optional<OperationDefaultWrite> write = RowWrite(row, *values, gases))
                writes << *write;
    if (!WriteRows(writes))
        return false;
    SetProjectModified(true);
    return true;
}

// What the grid row holds for the stored row; none when nothing of it is written.
std::optional<OperationDefaultWrite> COPDefaultsDialog::RowWrite(int row, const OperationDefaultRow& values,
                                                                 const QList<GasMaterial>& gases) const
{
    OperationDefaultWrite write{values.id, std::nullopt, std::nullopt};
    const QString unitText = Cell(row, ACTION_UNIT_COL);
    switch (values.kind) {
    case DEFAULT_VALUE_WITH_UNIT:
        write.unit = KeyOfDisplayText(values.unitList, unitText);
        [[fallthrough]];
    case DEFAULT_VALUE:
    case DEFAULT_VALUE_WITH_LABEL:
        write.value = CellNumber(row);
        return write;
    case DEFAULT_GAS: {
        const QString air = DisplayTextOfKey(QStringLiteral("Air"), QStringLiteral("Air"));
        if (IsVesselGasRow(values.defaultName) && unitText.compare(air, Qt::CaseInsensitive) == 0)
            write.value = 0.0;
        else if (const GasMaterial* gas = FindGasByName(gases, unitText))
            write.value = double(gas->id);
        return write.value ? std::optional(write) : std::nullopt;
    }
    case DEFAULT_CHOICE:
        write.unit = KeyOfDisplayText(values.unitList, unitText);
        return write;
    default:
        return std::nullopt;
    }
}

// One transaction; a failure rolls back after its description and writes nothing.
bool COPDefaultsDialog::WriteRows(const QList<OperationDefaultWrite>& writes)
{
    CDaoDatabase* database = GetProjectDatabase();
    if (!database || !database->IsOpen()) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table for update!"));
        return false;
    }
    try {
        CDaoTransaction transaction(*database);
        WriteOperationDefaults(*database, writes);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

void COPDefaultsDialog::OnReset()
{
    if (QvMessageBox(QStringLiteral("Are you sure to reset all operation defaults?"),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    if (!GetSortServices()) {
        QvMessageBox(NO_MAIN_FRAME);
        return;
    }
    QList<OperationDefaultRow> stored;
    if (!ReadOperationDefaultRows(&stored)) {
        QvMessageBox(QStringLiteral("Can't open Operation Default table to reset defaults!"));
        return;
    }
    QList<GasMaterial> gases;
    if (!ReadGasMaterials(&gases)) {
        QvMessageBox(QStringLiteral("Can't open Material table to reset defaults!"));
        return;
    }
    for (int row = 1; row <= m_nRowCount; ++row)
        if (const OperationDefaultRow* values = FindOperationDefaultRow(stored, m_rowIDs.value(row - 1)))
            ShowOriginalValues(row, *values, gases);
}

void COPDefaultsDialog::ShowOriginalValues(int row, const OperationDefaultRow& values, const QList<GasMaterial>& gases)
{
    switch (values.kind) {
    case DEFAULT_VALUE_WITH_UNIT:
        m_grid->SetValueRowCol(row, ACTION_UNIT_COL, DisplayTextOfKey(values.unitList, values.originalUnit));
        [[fallthrough]];
    case DEFAULT_VALUE:
    case DEFAULT_VALUE_WITH_LABEL:
        m_grid->SetValueRowCol(row, ACTION_VALUE_COL, FormatDouble(values.originalValue, 7));
        break;
    case DEFAULT_GAS:
        m_grid->SetValueRowCol(
            row, ACTION_UNIT_COL,
            GasName(values.originalValue, gases, DisplayTextOfKey(QStringLiteral("Air"), QStringLiteral("Air"))));
        break;
    case DEFAULT_CHOICE:
        m_grid->SetValueRowCol(row, ACTION_UNIT_COL, DisplayTextOfKey(values.unitList, values.originalUnit));
        break;
    default:
        break;
    }
}

void COPDefaultsDialog::OnPrint()
{
    const QString title = QStringLiteral("Tamro Plenthover Operation Defaults: ") + GetProjectDir() + GetProjectName();
    QPrinter printer(QPrinter::HighResolution);
    ApplySessionPageLayout(printer);
    printer.setDocName(title);
    if (!ChoosePrinter(printer))
        return;
    OPDefaultsPrintRows rows;
    for (int row = 1; row <= m_nRowCount; ++row)
        rows.push_back({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4)});
    PrintOperationDefaults(printer, title, rows);
}

bool RunOperationDefaults(QWidget* parent)
{
    COPDefaultsDialog dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

void InstallOperationDefaultsEntry()
{
    PreferenceHub::setEntry(OP_DEFAULTS_ENTRY, RunOperationDefaults);
}
