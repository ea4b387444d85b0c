#include "recipe/panes/StandardStatementView.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "modules/qvdataio/InterfaceTextRecipe.h"
#include "modules/qvsop/QVSOPEntry.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "recipe/edit/RecipeItemEditors.h"

#include <QMenu>
#include <QSqlQuery>

namespace {
// The step's item texts, each table read once: operation id -> recipe texts, unit procedure id ->
// names. A table that cannot be read gives none.
QHash<long, QStringList> ReadStatementItemTexts(long stepID, const QString& sql)
{
    QHash<long, QStringList> texts;
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return texts;
    try {
        QSqlQuery rows = step->Query(sql);
        while (rows.next())
            texts[long(rows.value(0).toLongLong())].append(rows.value(1).toString());
    } catch (const CDaoException&) {
        texts.clear();
    }
    return texts;
}

// The recipe text up to its first "." (without one: its first 80 characters).
QString RecipeTextHead(const QString& recipeText)
{
    const qsizetype dot = recipeText.indexOf(QLatin1Char('.'));
    return dot >= 0 ? recipeText.left(dot) : recipeText.left(80);
}
} // namespace

CStandardStatementView::CStandardStatementView(QWidget* parent)
    : CStepListPane(LIST_ID, 2, {QStringLiteral("Operation Text"), QStringLiteral("Standard Statement Name")},
                    {500, 200}, parent)
{
    setObjectName(QStringLiteral("StandardStatementView"));
    SetContextMenuID(CONTEXT_MENU_ID);
    SetCaption(DefaultCaption());
}

void CStandardStatementView::EmptyList()
{
    m_itemIDs.clear();
    CStepListPane::EmptyList();
}

void CStandardStatementView::Fill()
{
    EmptyList();
    const long step = stepID();
    CInterfaceTextRecipe data;
    QList<CDataExchangeTextRecipe> rows;
    QString name;
    QString version;
    if (!data.getAllRecipeData(step, -1, QStringLiteral("all"), rows) || !data.getStepName(step, name) ||
        !data.getStepVersionName(step, version))
        return;
    SetCaption(QStringLiteral("Operating Instruction Standard Statements for ") + name +
               QStringLiteral(" (") + version + QStringLiteral(")"));
    const QHash<long, QStringList> recipeTexts =
        ReadStatementItemTexts(step, QStringLiteral("SELECT OperationID, RecipeText FROM Operation"));
    const QHash<long, QStringList> unitProcedureNames = ReadStatementItemTexts(
        step, QStringLiteral("SELECT UnitProcedureID, UnitProcedureName FROM UnitProcedure"));
    for (const CDataExchangeTextRecipe& row : std::as_const(rows)) {
        const bool operation = row.Type == QLatin1String("Operation");
        if (!operation && row.Type != QLatin1String("Unit Procedure"))
            continue;
        const long itemID = operation ? row.ID : -row.ID;
        for (const QString& text : (operation ? recipeTexts : unitProcedureNames).value(row.ID)) {
            QString statement;
            if (!GetStandardStatement(step, itemID, statement))
                return;
            addRow(operation ? QString::asprintf("%ld.%ld ", row.UPNumber, row.OPNumber) +
                                   RecipeTextHead(text) + QStringLiteral("...")
                             : QString::asprintf("%ld ", row.UPNumber) + text,
                   itemID, statement);
        }
    }
}

void CStandardStatementView::addRow(const QString& text, long itemID, const QString& statement)
{
    const int row = list().InsertItem(list().GetItemCount(), text);
    m_itemIDs.append(itemID);
    list().SetItemText(row, 1, statement);
}

void CStandardStatementView::TrackContextMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("StandardStatementMenu"));
    QAction* open = menu.addAction(QStringLiteral("Open Dialog"));
    open->setData(int(ID_OPEN_DIALOG));
    const int row = hitItem();
    connect(open, &QAction::triggered, this, [this, row] { DispatchCommand(ID_OPEN_DIALOG, this, row); });
    menu.exec(globalPos);
}

bool CStandardStatementView::HandlesCommand(int commandID) const
{
    return commandID == ID_OPEN_DIALOG;
}

void CStandardStatementView::OnCommandAt(int commandID, const QVariant& hitItem)
{
    if (commandID == ID_OPEN_DIALOG)
        OpenDialog(hitItem.isValid() ? hitItem.toInt() : this->hitItem());
}

void CStandardStatementView::OpenDialog(int row)
{
    const long itemID = m_itemIDs.value(row, 0);
    const long step = stepID();
    if (itemID > 0) {
        CQVGlobalParams::Instance()->SetParentStepID(step);
        CQVGlobalParams::Instance()->SetEditedOpID(itemID);
        SendFrameNotify(FrameNotifyMessage::OperationEditor, 0, 0);
    } else if (itemID < 0) {
        EditUnitProcedureOfStep(step, -itemID);
    }
}
