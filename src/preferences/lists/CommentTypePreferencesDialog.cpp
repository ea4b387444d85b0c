#include "preferences/lists/CommentTypePreferencesDialog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/NameCheck.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/CommentTypeSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"
#include "foundation/db/step/QryTblCommentDataForCommentTypeSet.h"
#include "foundation/db/step/TextRecipeSet.h"
#include "modules/qvdataio/InterfaceOperation.h"
#include "preferences/shared/PreferenceStepScan.h"
#include "preferences/shared/RecipeCommentTypes.h"

#include <QPushButton>

namespace {
constexpr long COMMENT_TYPE_HELP_TOPIC = 727;
constexpr long GENERAL_COMMENT_TYPE = 1;
const QColor DEFAULT_COMMENT_COLOR(0, 255, 255);
const QString CANT_READ_COMMENTS = QStringLiteral("Can't open Table TblCommentData!");
} // namespace

CCommentTypePreferencesDialog::CCommentTypePreferencesDialog(QWidget* parent)
    : CPreferenceGridDialog(parent, 9985, QStringLiteral("Specify Comment Types"), 1598, COMMENT_TYPE_HELP_TOPIC)
{
    connect(AddButton(QStringLiteral("Insert"), 1600), &QPushButton::clicked, this,
            &CCommentTypePreferencesDialog::OnInsert);
    connect(AddButton(QStringLiteral("Delete"), 1599), &QPushButton::clicked, this,
            &CCommentTypePreferencesDialog::OnDelete);
    connect(AddButton(QStringLiteral("Set Default"), 1601), &QPushButton::clicked, this,
            &CCommentTypePreferencesDialog::OnSetDefault);
    AddOkCancel();
    resize(360, 320);
    OnInitDialog();
}

bool CCommentTypePreferencesDialog::OnInitDialog()
{
    WaitCursor wait;
    SetUpGrid(0);
    CCommentTypeSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Comment table for initialization!"));
        return false;
    }
    if (set.GetRecordCount() == 0)
        return true;
    grid()->SetRowCount(int(set.GetRecordCount()));
    for (int row = 1; !set.IsEOF(); set.MoveNext(), ++row) {
        const long id = set.GetLong(QStringLiteral("CommentTypeID"));
        m_loadedNames.insert(id, set.GetText(QStringLiteral("Description")));
        m_nextID = std::max(m_nextID, id + 1);
        grid()->SetValueRowCol(row, NAME_COL, set.GetText(QStringLiteral("Description")));
        StyleRow(row, id);
        if (set.GetBool(QStringLiteral("Default"))) {
            m_defaultCommentTypeID = id;
            PaintDefault(row);
        }
    }
    LoadRecipeViewingTypes();
    return true;
}

void CCommentTypePreferencesDialog::SetUpGrid(int rows)
{
    grid()->SetRowCount(rows);
    grid()->SetColCount(2);
    SetHeadings({QStringLiteral("Comment Type"), QStringLiteral("Comment Type ID")});
    grid()->SetColWidth(0, 20);
    grid()->SetColWidth(NAME_COL, std::max(100, width() - 45));
    grid()->SetColWidth(ID_COL, 0);
    grid()->SetRowSelection(false);
}

void CCommentTypePreferencesDialog::StyleRow(int row, long id)
{
    grid()->SetStyleRange(CGridRange(row, NAME_COL), CGridCellStyle().SetControl(GRID_CTRL_EDIT).SetInterior(Qt::white));
    SetIDCell(row, ID_COL, id);
    grid()->SetRowHeight(row, ROW_HEIGHT);
}

void CCommentTypePreferencesDialog::LoadRecipeViewingTypes()
{
    m_recipeViewingIDs.clear();
    CTextRecipeOptionsSet options;
    options.SetErrorMode(DaoErrorMode::Quiet);
    if (!options.OpenSet())
        return;
    for (; !options.IsEOF(); options.MoveNext()) {
        if (options.GetText(QStringLiteral("Options")).compare(QLatin1String("CommentTypeID"), Qt::CaseInsensitive) == 0)
            m_recipeViewingIDs.append(options.GetLong(QStringLiteral("Value")));
    }
}

void CCommentTypePreferencesDialog::PaintDefault(int defaultRow)
{
    for (int row = 1; row <= grid()->GetRowCount(); ++row)
        grid()->SetStyleRange(CGridRange(row, NAME_COL),
                              CGridCellStyle().SetInterior(row == defaultRow ? DEFAULT_COMMENT_COLOR : Qt::white));
}

void CCommentTypePreferencesDialog::OnInsert()
{
    const long id = TakeNextID(ID_COL);
    const int row = grid()->AppendRow();
    StyleRow(row, id);
}

void CCommentTypePreferencesDialog::OnSetDefault()
{
    WaitCursor wait;
    int row = 0, col = 0;
    if (!grid()->GetCurrentCell(&row, &col) || row < 1)
        return;
    const long id = IDOf(row, ID_COL);
    if (id == m_defaultCommentTypeID)
        return;
    m_defaultCommentTypeID = id;
    PaintDefault(row);
}

void CCommentTypePreferencesDialog::OnDelete()
{
    WaitCursor wait;
    int row = 0, col = 0;
    if (!grid()->GetCurrentCell(&row, &col) || row < 1)
        return;
    const long id = IDOf(row, ID_COL);
    if (id == GENERAL_COMMENT_TYPE) {
        QvMessageBox(QStringLiteral("The Tamro Plenthover General Comment can not be deleted!"));
        return;
    }
    if (m_recipeViewingIDs.contains(id)) {
        QvMessageBox(QStringLiteral("This comment type can not be deleted because it is specify for recipe viewing!"));
        return;
    }
    if (IsCommentTypeUsed(id) != 0) {
        QvMessageBox(QStringLiteral("Can not delete the Comment Type because it is used in the project!"));
        return;
    }
    if (id == m_defaultCommentTypeID)
        m_defaultCommentTypeID = 0;
    grid()->RemoveRows(row, row);
}

int CCommentTypePreferencesDialog::IsCommentTypeUsed(long commentTypeID)
{
    QList<long> steps;
    if (!StepsInProject(steps)) {
        QvMessageBox(QStringLiteral("Can't open ProjectStep table!"));
        return -1;
    }
    for (long stepID : steps) {
        const int used = StepUsesCommentType(stepID, commentTypeID);
        if (used != 0)
            return used;
    }
    return 0;
}

// The step's own comments first, then each operation's comment through the data module.
int CCommentTypePreferencesDialog::StepUsesCommentType(long stepID, long commentTypeID)
{
    CQryTblCommentDataForCommentTypeSet comments;
    comments.SetErrorMode(DaoErrorMode::Quiet);
    if (!comments.OpenSet(stepID, commentTypeID)) {
        QvMessageBox(CANT_READ_COMMENTS);
        return -1;
    }
    if (comments.GetRecordCount() > 0)
        return 1;
    CTextRecipeSet recipe;
    recipe.SetErrorMode(DaoErrorMode::Quiet);
    if (!recipe.OpenSet(stepID, 0, QStringLiteral("all"))) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to retrieve operation id for updating recipe!"));
        return -1;
    }
    CInterfaceOperation operations;
    QString comment;
    for (; !recipe.IsEOF(); recipe.MoveNext()) {
        if (recipe.GetText(QStringLiteral("Type")).compare(QLatin1String("Operation"), Qt::CaseInsensitive) != 0)
            continue;
        if (!operations.getOperationComment(stepID, recipe.GetLong(QStringLiteral("ID")), CInterfaceOperation::COMMENT_TEXT,
                                            commentTypeID, comment)) {
            QvMessageBox(CANT_READ_COMMENTS);
            return -1;
        }
        if (!comment.isEmpty())
            return 1;
    }
    return 0;
}

bool CCommentTypePreferencesDialog::ValidateCommentTypes()
{
    if (m_defaultCommentTypeID == 0) {
        QvMessageBox(QStringLiteral("Please specify the default comment type!"));
        return false;
    }
    QStringList names;
    for (int row = 1; row <= grid()->GetRowCount(); ++row)
        names << Trimmed(row, NAME_COL);
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        QString name = names.at(row - 1);
        if (IsInvalidName(name)) {
            grid()->SetValueRowCol(row, NAME_COL, name);
            grid()->setFocus();
            grid()->SetCurrentCell(row, NAME_COL);
            return false;
        }
        if (names.indexOf(name) != row - 1) {
            QvMessageBox(QString::asprintf("The Comment Description %s in row %d has already been used, please give "
                                           "a different name!",
                                           qUtf8Printable(name), row));
            return false;
        }
    }
    return true;
}

// A type loaded under another name that a step or operation comment holds (or whose check failed).
bool CCommentTypePreferencesDialog::UsedTypeRenamed()
{
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const long id = IDOf(row, ID_COL);
        const auto loaded = m_loadedNames.constFind(id);
        if (loaded != m_loadedNames.constEnd() && *loaded != Trimmed(row, NAME_COL) && IsCommentTypeUsed(id) != 0)
            return true;
    }
    return false;
}

void CCommentTypePreferencesDialog::OnOK()
{
    if (!DDV_GXGridWnd(grid()))
        return;
    WaitCursor wait;
    if (!ValidateCommentTypes())
        return;
    const bool usedTypeRenamed = UsedTypeRenamed();
    if (!SaveCommentTypes())
        return;
    AfterCommit(usedTypeRenamed);
    accept();
}

bool CCommentTypePreferencesDialog::SaveCommentTypes()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen()) {
        QvMessageBox(QStringLiteral("Can't open Comment table for update!"));
        return false;
    }
    QList<QVariantList> rows;
    for (int row = 1; row <= grid()->GetRowCount(); ++row) {
        const long id = IDOf(row, ID_COL);
        if (!Trimmed(row, NAME_COL).isEmpty())
            rows.append({qlonglong(id), Trimmed(row, NAME_COL), id == m_defaultCommentTypeID ? 1 : 0});
    }
    try {
        CDaoTransaction write(*project);
        ReplaceTableRows(*project, QStringLiteral("TblCommentLibrary"),
                         {QStringLiteral("CommentTypeID"), QStringLiteral("Description"), QStringLiteral("Default")}, {},
                         {}, rows);
        write.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// The managed editors reload the types; a used type's new name reaches the recipe texts.
void CCommentTypePreferencesDialog::AfterCommit(bool usedTypeRenamed)
{
    SetProjectModified(true);
    NotifyCommentsTypeUpdate();
    if (!usedTypeRenamed)
        return;
    DisplayOptions options = CurrentDisplayOptions();
    options.comments = true;
    SetCurrentDisplayOptions(options);
    LoadRecipeCommentTypes({});
    UpdateRecipeTextOfAllSteps();
}
