#include "preferences/lists/RangeTypePreferencesDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/RangeTypeSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"
#include "foundation/db/step/QryTblRangeDataForRangeTypeSet.h"
#include "preferences/shared/PreferenceStepScan.h"

#include <QPushButton>

#include <memory>
#include <vector>

namespace {
constexpr long RANGE_TYPE_HELP_TOPIC = 437;
const QColor DEFAULT_RANGE_COLOR(0, 255, 255);
const QString CANT_LIST_STEPS = QStringLiteral("Can't open ProjectStep table!");

QString RangeTypeIDList(const QList<long>& ids)
{
    QStringList texts;
    for (long id : ids)
        texts << QString::number(id);
    return texts.join(u',');
}
} // namespace

CRangeTypePreferencesDialog::CRangeTypePreferencesDialog(QWidget* parent)
    : CPreferenceGridDialog(parent, 1537, QStringLiteral("Specify Range Types"), 1443, RANGE_TYPE_HELP_TOPIC)
{
    connect(AddButton(QStringLiteral("Delete"), 1458), &QPushButton::clicked, this,
            &CRangeTypePreferencesDialog::OnDelete);
    connect(AddButton(QStringLiteral("Set Default"), 1601), &QPushButton::clicked, this,
            &CRangeTypePreferencesDialog::OnSetDefault);
    AddOkCancel();
    resize(300, 320);
    OnInitDialog();
}

bool CRangeTypePreferencesDialog::OnInitDialog()
{
    WaitCursor wait;
    CRangeTypeSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Range table for initialization!"));
        return false;
    }
    SetUpGrid(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row) {
        grid()->SetValueRowCol(row, NAME_COL, set.GetText(QStringLiteral("Description")));
        SetIDCell(row, ID_COL, set.GetLong(QStringLiteral("RangeTypeID")));
        if (set.GetBool(QStringLiteral("Default"))) {
            m_defaultRangeTypeID = set.GetLong(QStringLiteral("RangeTypeID"));
            PaintDefault(row);
        }
    }
    return true;
}

void CRangeTypePreferencesDialog::SetUpGrid(int rows)
{
    grid()->SetRowCount(rows);
    grid()->SetColCount(2);
    SetHeadings({QStringLiteral("Range Type"), QStringLiteral("Range Type ID")});
    grid()->SetColWidth(NAME_COL, 200);
    grid()->SetColWidth(ID_COL, 0);
    SetRowHeights();
    grid()->SetRowSelection(false);
}

void CRangeTypePreferencesDialog::PaintDefault(int defaultRow)
{
    for (int row = 1; row <= grid()->GetRowCount(); ++row)
        grid()->SetStyleRange(CGridRange(row, NAME_COL),
                              CGridCellStyle().SetInterior(row == defaultRow ? DEFAULT_RANGE_COLOR : Qt::white));
}

// An emptied row stays as the mark of a deleted type.
void CRangeTypePreferencesDialog::OnDelete()
{
    for (int row : SelectedRows()) {
        if (row < 1)
            continue;
        if (IDOf(row, ID_COL) == m_defaultRangeTypeID)
            m_defaultRangeTypeID = 0;
        grid()->SetValueRowCol(row, NAME_COL, QString());
        grid()->SetStyleRange(CGridRange(row, NAME_COL), CGridCellStyle().SetInterior(Qt::white));
    }
}

void CRangeTypePreferencesDialog::OnSetDefault()
{
    const QList<int> rows = SelectedRows();
    if (rows.isEmpty() || rows.first() < 1 || Trimmed(rows.first(), NAME_COL).isEmpty())
        return;
    const long id = IDOf(rows.first(), ID_COL);
    if (id == m_defaultRangeTypeID)
        return;
    m_defaultRangeTypeID = id;
    PaintDefault(rows.first());
}

// A default row whose name was blanked by typing is no default.
bool CRangeTypePreferencesDialog::HasDefault() const
{
    for (int row = 1; m_defaultRangeTypeID != 0 && row <= grid()->GetRowCount(); ++row) {
        if (IDOf(row, ID_COL) == m_defaultRangeTypeID)
            return !Trimmed(row, NAME_COL).isEmpty();
    }
    return false;
}

void CRangeTypePreferencesDialog::OnOK()
{
    if (!DDV_GXGridWnd(grid()))
        return;
    WaitCursor wait;
    if (!HasDefault()) {
        QvMessageBox(QStringLiteral("Please specify the default range type!"));
        return;
    }
    Deletions deletions;
    if (!ScanDeletions(deletions))
        return;
    const bool renamed = NamesChanged();
    if (!SaveRangeTypes(deletions))
        return;
    AfterCommit(deletions, renamed);
    accept();
}

int CRangeTypePreferencesDialog::IsRangeTypeUsed(long rangeTypeID, const QList<long>& steps) const
{
    CQryTblRangeDataForRangeTypeSet ranges;
    ranges.SetErrorMode(DaoErrorMode::Quiet);
    for (long stepID : steps) {
        if (!ranges.OpenSet(stepID, rangeTypeID)) {
            QvMessageBox(CANT_LIST_STEPS);
            return -1;
        }
        if (ranges.GetRecordCount() > 0)
            return 1;
    }
    return 0;
}

// The deleted types and which of them steps use; asks once before used ones go. False when a
// step cannot be read or the user does not agree.
bool CRangeTypePreferencesDialog::ScanDeletions(Deletions& deletions)
{
    if (!StepsInProject(m_steps)) {
        QvMessageBox(CANT_LIST_STEPS);
        return false;
    }
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        if (!Trimmed(row, NAME_COL).isEmpty())
            continue;
        const long id = IDOf(row, ID_COL);
        deletions.deleted.append(id);
        const int used = IsRangeTypeUsed(id, m_steps);
        if (used < 0)
            return false;
        if (used == 0)
            continue;
        if (deletions.used.isEmpty() &&
            QvMessageBox(QStringLiteral("Deleted Range Type has been used in the project. Do you want to delete it?"),
                         MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            return false;
        deletions.used.append(id);
    }
    deletions.recipeRangeType = RecipeRangeTypeIn(deletions.deleted);
    return true;
}

bool CRangeTypePreferencesDialog::RecipeRangeTypeIn(const QList<long>& ids)
{
    CTextRecipeOptionsSet options;
    options.SetErrorMode(DaoErrorMode::Quiet);
    if (ids.isEmpty() || !options.OpenSet())
        return false;
    for (; !options.IsEOF(); options.MoveNext()) {
        if (options.GetText(QStringLiteral("Options")).compare(QLatin1String("RangeTypeID"), Qt::CaseInsensitive) == 0 &&
            ids.contains(options.GetLong(QStringLiteral("Value"))))
            return true;
    }
    return false;
}

// Stored names beside grid rows in order: any difference, an emptied row included, is a new name.
bool CRangeTypePreferencesDialog::NamesChanged() const
{
    CRangeTypeSet set;
    set.SetErrorMode(DaoErrorMode::Quiet);
    if (!set.OpenSet())
        return false;
    for (int row = 1; !set.IsEOF() && row <= grid()->GetRowCount(); set.MoveNext(), ++row) {
        if (set.GetText(QStringLiteral("Description")) != grid()->GetValueRowCol(row, NAME_COL))
            return true;
    }
    return false;
}

bool CRangeTypePreferencesDialog::DeleteRangeDataOfType(const QString& rangeTypeID)
{
    QList<long> steps;
    if (!StepsInProject(steps)) {
        QvMessageBox(CANT_LIST_STEPS);
        return false;
    }
    try {
        for (long stepID : steps) {
            CDaoDatabase* step = GetStepDatabase(stepID);
            if (!step)
                throw CDaoException(QStringLiteral("A step database cannot be found."));
            ExecKept(*step, QStringLiteral("TblRangeData"),
                     QStringLiteral("DELETE FROM TblRangeData WHERE TblRangeData.RangeTypeID = ?"),
                     {qlonglong(rangeTypeID.toLong())});
        }
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    return true;
}

// Each step database that loses ranges and the project database in a transaction of their own;
// every write is done before the first commit.
bool CRangeTypePreferencesDialog::SaveRangeTypes(const Deletions& deletions)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(QStringLiteral("Can't open Range table for update!"));
        return false;
    }
    try {
        std::vector<std::unique_ptr<CDaoTransaction>> steps;
        for (long stepID : deletions.used.isEmpty() ? QList<long>() : m_steps)
            if (CDaoDatabase* step = GetStepDatabase(stepID))
                steps.push_back(std::make_unique<CDaoTransaction>(*step));
        for (long id : deletions.used)
            if (!DeleteRangeDataOfType(QString::number(id)))
                return false;
        CDaoTransaction projectWrite(*project);
        WriteProjectRows(*project, deletions);
        for (auto& step : steps)
            step->Commit();
        projectWrite.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// The "RangeTypeID" option rows naming a deleted type, and the library rewritten from the grid.
void CRangeTypePreferencesDialog::WriteProjectRows(CDaoDatabase& project, const Deletions& deletions)
{
    if (!deletions.deleted.isEmpty())
        ExecKept(project, QStringLiteral("TextRecipeOptions"),
                 QStringLiteral("DELETE FROM TextRecipeOptions WHERE Options = 'RangeTypeID' AND Value IN "
                                "(SELECT value FROM json_each('[' || ? || ']'))"),
                 {RangeTypeIDList(deletions.deleted)});
    QList<QVariantList> rows;
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const QString name = Trimmed(row, NAME_COL);
        const long id = IDOf(row, ID_COL);
        if (!name.isEmpty())
            rows.append({qlonglong(id), name, id == m_defaultRangeTypeID ? 1 : 0});
    }
    ReplaceTableRows(project, QStringLiteral("TblRangeLibrary"),
                     {QStringLiteral("RangeTypeID"), QStringLiteral("Description"), QStringLiteral("Default")}, {}, {},
                     rows);
}

// The automation tree, the frame's range type and the recipe texts follow the committed tables.
void CRangeTypePreferencesDialog::AfterCommit(const Deletions& deletions, bool renamed)
{
    if (!deletions.used.isEmpty())
        BuildAutomationModel();
    DisplayOptions options = CurrentDisplayOptions();
    const bool frameTypeDeleted = deletions.deleted.contains(options.rangeTypeID);
    if (frameTypeDeleted) {
        options.rangeTypeID = 0;
        SetCurrentDisplayOptions(options);
    }
    SetProjectModified(true);
    if (deletions.recipeRangeType || frameTypeDeleted || renamed)
        UpdateRecipeTextOfAllSteps();
}
