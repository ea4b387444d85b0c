#include "preferences/lists/LaborPreferenceDialog.h"

#include "foundation/common/LeadingNumber.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/GridCellRules.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/LaborCategorySet.h"
#include "foundation/db/step/TblFieldLabor.h"
#include "library/FacilityDelete.h"
#include "preferences/shared/PreferenceStepScan.h"

#include <QPushButton>

namespace {
constexpr long LABOR_HELP_TOPIC = 438;

QVariant NumberOrNull(const QString& text, bool whole)
{
    if (text.trimmed().isEmpty())
        return QVariant();
    return whole ? QVariant(qlonglong(LeadingLong(text))) : QVariant(LeadingDouble(text));
}
} // namespace

CLaborPreferenceDialog::CLaborPreferenceDialog(QWidget* parent)
    : CPreferenceGridDialog(parent, 1538, QStringLiteral("Labor Preference"), 1444, LABOR_HELP_TOPIC)
{
    connect(AddButton(QStringLiteral("Insert"), 1445), &QPushButton::clicked, this, &CLaborPreferenceDialog::OnInsert);
    connect(AddButton(QStringLiteral("Delete"), 1446), &QPushButton::clicked, this, &CLaborPreferenceDialog::OnDelete);
    AddOkCancel();
    resize(440, 320);
    OnInitDialog();
}

bool CLaborPreferenceDialog::OnInitDialog()
{
    WaitCursor wait;
    CLaborCategorySet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Labor Category table for initialization!"));
        SetUpGrid(0);
        return false;
    }
    GetUnitChoiceList(QStringLiteral("LaborCost"), m_unitList);
    SetUpGrid(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row)
        LoadRow(row, set);
    return true;
}

void CLaborPreferenceDialog::SetUpGrid(int rows)
{
    grid()->SetRowCount(rows);
    grid()->SetColCount(5);
    StyleRows(1, rows);
    SetHeadings({QStringLiteral("Labor Grade"), QStringLiteral("Cost"), QStringLiteral("UOM"),
                 QStringLiteral("Number Available"), QStringLiteral("Labor Grade ID")});
    const int widths[] = {120, 50, 90, 110, 0};
    for (int col = GRADE_COL; col <= ID_COL; ++col)
        grid()->SetColWidth(col, widths[col - 1]);
    grid()->SetRowSelection(true);
}

// Cost and operators right-aligned with no negatives, the unit from the "LaborCost" list.
void CLaborPreferenceDialog::StyleRows(int fromRow, int toRow)
{
    if (toRow < fromRow)
        return;
    const CGridCellStyle number = CGridCellStyle()
                                      .SetControl(GRID_CTRL_EDIT)
                                      .SetHorizontalAlignment(Qt::AlignRight)
                                      .SetUserAttribute(UA_POSITIVE_ZERO, QStringLiteral("PositiveZero"));
    grid()->SetStyleRange(CGridRange(fromRow, COST_COL, toRow, COST_COL), number);
    grid()->SetStyleRange(CGridRange(fromRow, AVAILABLE_COL, toRow, AVAILABLE_COL), number);
    grid()->SetStyleRange(CGridRange(fromRow, UOM_COL, toRow, UOM_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(m_unitList));
    SetRowHeights(fromRow);
}

void CLaborPreferenceDialog::LoadRow(int row, const CLaborCategorySet& set)
{
    const long id = set.GetLong(QStringLiteral("LaborGradeID"));
    m_loadedNames.insert(id, set.GetText(QStringLiteral("LaborGrade")));
    m_nextID = std::max(m_nextID, id + 1);
    grid()->SetValueRowCol(row, GRADE_COL, set.GetText(QStringLiteral("LaborGrade")));
    grid()->SetValueRowCol(row, COST_COL, FormatCost(set.GetFieldValue(QStringLiteral("Cost"))));
    grid()->SetValueRowCol(row, UOM_COL, set.GetText(QStringLiteral("CostUOM")));
    if (!set.IsFieldNull(QStringLiteral("MaxAvailableOperators")))
        grid()->SetValueRowCol(row, AVAILABLE_COL, QString::number(set.GetLong(QStringLiteral("MaxAvailableOperators"))));
    SetIDCell(row, ID_COL, id);
}

void CLaborPreferenceDialog::OnInsert()
{
    const long id = TakeNextID(ID_COL);
    const int row = grid()->AppendRow();
    StyleRows(row, row);
    SetIDCell(row, ID_COL, id);
}

// The selected rows in order, each checked and removed until the first refusal; a whole-table
// selection works through row 1 again and again.
void CLaborPreferenceDialog::OnDelete()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty())
        return;
    if (rows.first() == 0) {
        for (int i = 1; i < rows.size(); ++i)
            if (!DeleteCheckedRow(1))
                return;
        return;
    }
    int removed = 0;
    for (int row : rows) {
        if (!DeleteCheckedRow(row - removed))
            return;
        ++removed;
    }
}

bool CLaborPreferenceDialog::DeleteCheckedRow(int row)
{
    if (row < 1 || row > grid()->GetRowCount())
        return false;
    if (!CanDeleteLaborGrade(IDOf(row, ID_COL), grid()->GetValueRowCol(row, GRADE_COL)))
        return false;
    grid()->RemoveRows(row, row);
    return true;
}

bool CLaborPreferenceDialog::CanDeleteLaborGrade(long laborGradeID, const QString& name)
{
    QList<ProjectStepEntry> steps;
    if (!ProjectStepsWithoutStart(steps)) {
        QvMessageBox(QStringLiteral("Can't open ProjectStep table!"));
        return false;
    }
    CTblFieldLabor fields;
    for (const ProjectStepEntry& step : steps) {
        CDaoDatabase* database = GetStepDatabase(step.stepID);
        if (!database || !database->IsOpen()) {
            QvMessageBox(QStringLiteral("A step database cannot be found."));
            return false;
        }
        if (!fields.OpenSet(database, laborGradeID))
            return false;
        if (fields.GetRecordCount() > 0) {
            QString stepName;
            QvMessageBox(QStringLiteral("Labor Grade ") + name + QStringLiteral(" is used in Step: ") +
                         GetStepNameAndVersion(stepName, step.stepID) +
                         QStringLiteral(".\nTamro Plenthover cannot delete it!"));
            return false;
        }
    }
    return true;
}

// A stored grade whose name was cleared is a deletion: checked under the name it was loaded with.
bool CLaborPreferenceDialog::ClearedGradesDeletable()
{
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const long id = IDOf(row, ID_COL);
        if (Trimmed(row, GRADE_COL).isEmpty() && m_loadedNames.contains(id) &&
            !CanDeleteLaborGrade(id, m_loadedNames.value(id)))
            return false;
    }
    return true;
}

void CLaborPreferenceDialog::OnOK()
{
    WaitCursor wait;
    if (!DDV_GXGridWnd(grid()) || !ClearedGradesDeletable() || !SaveLaborGrades())
        return;
    accept();
}

bool CLaborPreferenceDialog::SaveLaborGrades()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(QStringLiteral("Can't open Labor Category table for update!"));
        return false;
    }
    QList<QVariantList> rows;
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const QString grade = grid()->GetValueRowCol(row, GRADE_COL);
        if (grade.trimmed().isEmpty())
            continue;
        rows.append({qlonglong(IDOf(row, ID_COL)), grade, NumberOrNull(grid()->GetValueRowCol(row, COST_COL), false),
                     grid()->GetValueRowCol(row, UOM_COL),
                     NumberOrNull(grid()->GetValueRowCol(row, AVAILABLE_COL), true)});
    }
    try {
        CDaoTransaction write(*project);
        ReplaceTableRows(*project, QStringLiteral("TblLaborCategory"),
                         {QStringLiteral("LaborGradeID"), QStringLiteral("LaborGrade"), QStringLiteral("Cost"),
                          QStringLiteral("CostUOM"), QStringLiteral("MaxAvailableOperators")},
                         {}, {}, rows);
        write.Commit();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    SetProjectModified(true);
    return true;
}
