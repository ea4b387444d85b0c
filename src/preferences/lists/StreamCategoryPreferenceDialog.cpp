#include "preferences/lists/StreamCategoryPreferenceDialog.h"

#include "foundation/common/LeadingNumber.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/controls/UnitCombos.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/StreamCategorySet.h"
#include "preferences/shared/PreferenceStepScan.h"

#include <QHash>
#include <QPushButton>
#include <QSqlQuery>

namespace {
constexpr long STREAM_CATEGORY_HELP_TOPIC = 345;
const QString CANT_UPDATE_CATEGORIES = QStringLiteral("Can't open Stream Category table for update!");

// Whether an operation field of type 'StreamCategoryID' in the step holds the id.
bool StepUsesStreamCategory(CDaoDatabase& step, long id)
{
    QSqlQuery used = step.Query(
        QStringLiteral("SELECT EXISTS (SELECT 1 FROM TblFieldLibrary INNER JOIN TblFieldData"
                       " ON TblFieldLibrary.FieldTypeID = TblFieldData.FieldTypeID"
                       " WHERE TblFieldData.LongValue = ? AND TblFieldLibrary.FieldType = 'StreamCategoryID')"),
        {qlonglong(id)});
    return used.next() && used.value(0).toBool();
}
} // namespace

CStreamCategoryPreferenceDialog::CStreamCategoryPreferenceDialog(QWidget* parent)
    : CPreferenceGridDialog(parent, 256, QStringLiteral("Stream Category"), 1430, STREAM_CATEGORY_HELP_TOPIC)
{
    connect(AddButton(QStringLiteral("Insert"), 1426), &QPushButton::clicked, this,
            &CStreamCategoryPreferenceDialog::OnInsert);
    connect(AddButton(QStringLiteral("Delete"), 1427), &QPushButton::clicked, this,
            &CStreamCategoryPreferenceDialog::OnDelete);
    AddOkCancel();
    grid()->SetCellValidator(&m_costValidator);
    resize(440, 320);
    OnInitDialog();
}

bool CStreamCategoryPreferenceDialog::OnInitDialog()
{
    WaitCursor wait;
    CStreamCategorySet set;
    if (!set.OpenSet(-1)) {
        QvMessageBox(QStringLiteral("Can't open Stream Category table for initialization!"));
        SetUpGrid(0);
        return false;
    }
    GetUnitChoiceList(QStringLiteral("DisposalCost"), m_unitList);
    SetUpGrid(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row) {
        const long id = set.GetLong(QStringLiteral("StreamCategoryID"));
        m_nextID = std::max(m_nextID, id + 1);
        grid()->SetValueRowCol(row, NAME_COL, set.GetText(QStringLiteral("StreamCategory")));
        grid()->SetValueRowCol(row, COST_COL, FormatCost(set.GetFieldValue(QStringLiteral("DisposalCost"))));
        grid()->SetValueRowCol(row, UOM_COL, set.GetText(QStringLiteral("DisposalCostUOM")));
        SetIDCell(row, ID_COL, id);
    }
    return true;
}

void CStreamCategoryPreferenceDialog::SetUpGrid(int rows)
{
    grid()->SetRowCount(rows);
    grid()->SetColCount(4);
    StyleRows(1, rows);
    SetHeadings({QStringLiteral("Stream Category"), QStringLiteral("Disposal Cost"), QStringLiteral("UOM"),
                 QStringLiteral("Stream Category ID")});
    const int widths[] = {135, 135, 110, 0};
    for (int col = NAME_COL; col <= ID_COL; ++col)
        grid()->SetColWidth(col, widths[col - 1]);
    grid()->SetRowSelection(true);
}

void CStreamCategoryPreferenceDialog::StyleRows(int fromRow, int toRow)
{
    if (toRow < fromRow)
        return;
    grid()->SetStyleRange(CGridRange(fromRow, COST_COL, toRow, COST_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_EDIT).SetHorizontalAlignment(Qt::AlignRight));
    QString units;
    SortChoiceList(units, m_unitList);
    grid()->SetStyleRange(CGridRange(fromRow, UOM_COL, toRow, UOM_COL),
                          CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(units));
    SetRowHeights(fromRow);
}

void CStreamCategoryPreferenceDialog::OnInsert()
{
    const long id = TakeNextID(ID_COL);
    const int row = grid()->AppendRow();
    StyleRows(row, row);
    SetIDCell(row, ID_COL, id);
}

// The selected rows in order, each checked and removed until the first refusal; a whole-table
// selection works through row 1 again and again.
void CStreamCategoryPreferenceDialog::OnDelete()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty())
        return;
    if (rows.first() == 0) {
        const QString refusal =
            QStringLiteral("You can't delete this Stream Category since it is used in the current project!");
        for (int i = 1; i < rows.size(); ++i)
            if (!DeleteCheckedRow(1, refusal))
                return;
        return;
    }
    const QString refusal = QStringLiteral("You can't delete this Stream Category since it is used in current project!");
    for (int i = 0; i < rows.size(); ++i)
        if (!DeleteCheckedRow(rows.at(i) - i, refusal))
            return;
}

bool CStreamCategoryPreferenceDialog::DeleteCheckedRow(int row, const QString& refusal)
{
    if (row < 1 || row > grid()->GetRowCount())
        return false;
    if (IsStreamCategoryUsed(grid()->GetValueRowCol(row, ID_COL)) != NOT_USED) {
        QvMessageBox(refusal);
        return false;
    }
    grid()->RemoveRows(row, row);
    return true;
}

// One bound look-up per step (START aside); a missing database or a failed read ends the scan
// with CHECK_FAILED.
int CStreamCategoryPreferenceDialog::IsStreamCategoryUsed(const QString& streamCategoryID)
{
    if (streamCategoryID.trimmed().isEmpty())
        return NOT_USED;
    QList<ProjectStepEntry> steps;
    if (!ProjectStepsWithoutStart(steps))
        return CHECK_FAILED;
    const long id = LeadingLong(streamCategoryID);
    for (const ProjectStepEntry& step : steps) {
        CDaoDatabase* database = GetStepDatabase(step.stepID);
        if (!database || !database->IsOpen()) {
            QvMessageBox(QStringLiteral("A step database cannot be found."));
            return CHECK_FAILED;
        }
        try {
            if (StepUsesStreamCategory(*database, id))
                return USED;
        } catch (const CDaoException& error) {
            QvMessageBox(error.GetErrorDescription());
            return CHECK_FAILED;
        }
    }
    return NOT_USED;
}

void CStreamCategoryPreferenceDialog::OnOK()
{
    WaitCursor wait;
    if (DDV_GXGridWnd(grid()) && SaveStreamCategories())
        accept();
}

bool CStreamCategoryPreferenceDialog::SaveStreamCategories()
{
    bool usedRenamed = false;
    if (!CheckRows(&usedRenamed) || !WriteRows())
        return false;
    if (usedRenamed)
        UpdateRecipeTextOfAllSteps();
    SetProjectModified(true);
    return true;
}

// A cleared name is a deletion, refused for a category in use; a new name of one in use (or whose
// check failed) asks for new recipe texts.
bool CStreamCategoryPreferenceDialog::CheckRows(bool* usedRenamed)
{
    CStreamCategorySet set;
    if (!set.OpenSet(-1)) {
        QvMessageBox(CANT_UPDATE_CATEGORIES);
        return false;
    }
    QHash<long, QString> stored;
    for (; !set.IsEOF(); set.MoveNext())
        stored.insert(set.GetLong(QStringLiteral("StreamCategoryID")), set.GetText(QStringLiteral("StreamCategory")));
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const QString name = Trimmed(row, NAME_COL);
        const long id = IDOf(row, ID_COL);
        const auto storedName = stored.constFind(id);
        if (name.isEmpty() && IsStreamCategoryUsed(grid()->GetValueRowCol(row, ID_COL)) != NOT_USED) {
            QvMessageBox(QString::asprintf(
                "You can't delete the Stream Category at %d row since it is used in the current project!", row));
            return false;
        }
        if (!name.isEmpty() && !*usedRenamed && storedName != stored.constEnd() && *storedName != name &&
            IsStreamCategoryUsed(grid()->GetValueRowCol(row, ID_COL)) != NOT_USED)
            *usedRenamed = true;
    }
    return true;
}

bool CStreamCategoryPreferenceDialog::WriteRows()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(CANT_UPDATE_CATEGORIES);
        return false;
    }
    QList<QVariantList> rows;
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const QString cost = grid()->GetValueRowCol(row, COST_COL).trimmed();
        if (!Trimmed(row, NAME_COL).isEmpty())
            rows.append({qlonglong(IDOf(row, ID_COL)), Trimmed(row, NAME_COL),
                         cost.isEmpty() ? QVariant() : QVariant(LeadingDouble(cost)), grid()->GetValueRowCol(row, UOM_COL)});
    }
    try {
        CDaoTransaction write(*project);
        ReplaceTableRows(*project, QStringLiteral("StreamCategoryTable"),
                         {QStringLiteral("StreamCategoryID"), QStringLiteral("StreamCategory"),
                          QStringLiteral("DisposalCost"), QStringLiteral("DisposalCostUOM")},
                         {}, {}, rows);
        write.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}
