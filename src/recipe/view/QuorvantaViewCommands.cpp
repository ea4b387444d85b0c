// The commands of the text-recipe view: the insert family, breakpoints, printing; their enabling
// and the view's context menu.

#include "foundation/common/CommandIds.h"
#include "foundation/common/FavoriteOperations.h"
#include "foundation/common/OperationCommands.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "recipe/lines/RecipeLineRecord.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeContextMenu.h"
#include "recipe/view/RecipePrinting.h"
#include "recipe/view/TestOperationDialog.h"

namespace {
// The favourite list of a command: 0, 1 or 2; -1 for any other command.
int FavoriteListOf(int commandID)
{
    switch (commandID) {
    case ID_FAVORITES_1:
        return 0;
    case ID_FAVORITES_2:
        return 1;
    case ID_FAVORITES_3:
        return 2;
    default:
        return -1;
    }
}

bool IsKeywordCommand(int commandID)
{
    return commandID == ID_INSERT_PARALLEL || commandID == ID_INSERT_OR || commandID == ID_INSERT_SERIES;
}

bool IsEditCommand(int commandID)
{
    static const QList<int> ids = {ID_INDENT_LEFT,   ID_INDENT_RIGHT, ID_EDIT_COPY,  ID_EDIT_CUT,
                                   ID_EDIT_DELETE,   ID_TOGGLE_HIDE,  ID_MOVE_UP,    ID_MOVE_DOWN,
                                   ID_REMOVE_ALL_BREAKPOINTS, ID_INSERT_START_AFTER, ID_INSERT_DELAY_IN_PARALLEL};
    return ids.contains(commandID);
}

bool IsOwnCommand(int commandID)
{
    return commandID == ID_TOGGLE_BREAKPOINT || commandID == ID_EDIT_SELECTION || commandID == ID_OLE_INSERT_NEW ||
           commandID == ID_CANCEL_EDIT_CNTR || commandID == ID_CANCEL_EDIT_SRVR || commandID == ID_FILE_PRINT || commandID == ID_EDIT_PASTE ||
           commandID == ID_FILE_PRINT_PREVIEW || commandID == ID_VIEW_OPERATION_QUICK_RESULTS;
}
} // namespace

bool CQUORVANTAView::HandlesCommand(int commandID) const
{
    return IsOwnCommand(commandID) || FindOperationCommand(commandID) ||
           commandID == ID_INSERT_ANY_OPERATION || commandID == ID_INSERT_UNIT_PROCEDURE ||
           IsKeywordCommand(commandID) || FavoriteListOf(commandID) >= 0 || IsEditCommand(commandID);
}

bool CQUORVANTAView::IsCommandEnabled(int commandID) const
{
    if (bool enabled = false; updateEditUI(commandID, &enabled))
        return enabled;
    if (FindOperationCommand(commandID) || commandID == ID_INSERT_ANY_OPERATION)
        return UpdateInsertOperationUI(InsertPosition());
    if (commandID == ID_INSERT_UNIT_PROCEDURE)
        return UpdateInsertUnitProcedureUI();
    if (IsKeywordCommand(commandID))
        return UpdateInsertKeywordUI(InsertPosition());
    if (const int list = FavoriteListOf(commandID); list >= 0)
        return !GetFavoriteOperationsName(3, list).isEmpty();
    if (commandID == ID_VIEW_OPERATION_QUICK_RESULTS)
        return IsQuickResultsEnabled();
    if (commandID == ID_EDIT_PASTE)
        return UpdatePasteUI();
    if (commandID == ID_EDIT_SELECTION)
        return GetSelectedItemType() == RECIPE_LINE_UNIT_PROCEDURE || GetSelectedItemType() == RECIPE_LINE_OPERATION;
    if (commandID == ID_OLE_INSERT_NEW) // no embedded objects on this platform
        return false;
    return IsOwnCommand(commandID);
}

QString CQUORVANTAView::CommandText(int commandID) const
{
    const int list = FavoriteListOf(commandID);
    return list >= 0 ? GetFavoriteOperationsName(3, list) : QString();
}

bool CQUORVANTAView::IsCommandChecked(int commandID) const
{
    const CRecipeButton* selected = GetFirstSelectedLine();
    return commandID == ID_TOGGLE_HIDE && !m_bMultiSelect && selected && selected->line().hidden;
}

void CQUORVANTAView::OnCommand(int commandID)
{
    if (runEditCommand(commandID))
        return;
    const int where = InsertPosition();
    if (const OperationCommand* command = FindOperationCommand(commandID))
        InsertOperation(where, command->operationTypeID, -1, QString(), QString(), -1, false);
    else if (commandID == ID_INSERT_ANY_OPERATION) {
        if (const std::optional<int> type = AskTestOperationTypeID(this))
            InsertOperation(where, *type, -1, QString(), QString(), -1, false);
    } else if (commandID == ID_INSERT_UNIT_PROCEDURE)
        InsertUnitProcedure(where, -1, QString(), false, false);
    else if (commandID == ID_INSERT_PARALLEL)
        InsertKeywordBlock(where, QStringLiteral("Parallel"), RECIPE_LINE_PARALLEL, -1, 0);
    else if (commandID == ID_INSERT_OR)
        InsertKeywordBlock(where, QStringLiteral("Or"), RECIPE_LINE_OR, -1, 0);
    else if (commandID == ID_INSERT_SERIES)
        InsertKeywordBlock(where, QStringLiteral("Series"), RECIPE_LINE_SERIES, -1, 0);
    else if (const int list = FavoriteListOf(commandID); list >= 0)
        InsertFavoriteOperations(list);
    else if (commandID == ID_TOGGLE_BREAKPOINT)
        ToggleBreakpoints();
    else if (commandID == ID_FILE_PRINT)
        ShowPrintDialog(*this);
    else if (commandID == ID_FILE_PRINT_PREVIEW)
        ShowPrintPreview(*this);
    else if (commandID == ID_VIEW_OPERATION_QUICK_RESULTS)
        OnOperationQuickResults();
    else if (commandID == ID_EDIT_PASTE)
        OnEditPaste();
    else if (CRecipeButton* selected = GetFirstSelectedLine(); commandID == ID_EDIT_SELECTION && selected)
        selected->Edit();
}

void CQUORVANTAView::ShowContextMenu(const QPoint& globalPos)
{
    QMenu menu(QStringLiteral("Text Recipe"), this);
    menu.setObjectName(QStringLiteral("RecipeTextMenu"));
    FillRecipeContextMenu(menu, *this, [this](int id) { DispatchCommand(id, this); });
    menu.exec(globalPos);
}
