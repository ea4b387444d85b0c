// Copy, Cut and Delete of the text-recipe view: the selected lines go to the recipe clipboard the
// main frame shares between windows, and as plain text to the system clipboard.

#include "foundation/common/concerns/DisplayOptions.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/view/RecipeClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSet>

namespace {
using ClipItem = std::shared_ptr<RecipeClipboardItem>;

QString Tabs(int indent)
{
    return QString(qMax(0, indent), QLatin1Char('\t'));
}

ClipItem ItemOf(const RecipeLineRecord& line, int kind, int position)
{
    auto item = std::make_shared<RecipeClipboardItem>();
    std::tie(item->kind, item->position, item->indent, item->hidden) = std::tuple(kind, position, line.indent, line.hidden);
    item->itemID = line.itemID;
    if (kind == 1)
        std::tie(item->firstText, item->rangeText, item->commentText) =
            std::tuple(line.unitProcedureName, line.rangeText, line.commentText);
    else if (kind == 2)
        std::tie(item->operationTypeID, item->firstText, item->displayText, item->recipeText, item->rangeText,
                 item->commentText) = std::tuple(line.operationTypeID, line.operationLabel, line.displayText,
                                                 line.recipeText, line.rangeText, line.commentText);
    else
        std::tie(item->keywordKind, item->blockNumber, item->firstText, item->itemID) =
            std::tuple(line.kind, line.operationNumber, line.displayText, -1L);
    return item;
}

QString UnitProcedureText(const RecipeLineRecord& line, const DisplayOptions& options)
{
    QString text = line.label + Tabs(line.indent) + line.unitProcedureName;
    if (!line.commentText.isEmpty() && options.comments)
        text += QStringLiteral("\n") + Tabs(line.indent) + line.commentText;
    return text;
}

QString OperationText(const RecipeLineRecord& line, const DisplayOptions& options)
{
    QString text = QStringLiteral("\n") + line.label + Tabs(line.indent);
    if (line.rangeText.isEmpty() && line.commentText.isEmpty())
        return text + line.displayText;
    text += line.recipeText;
    if (options.ranges || options.comments)
        text += QStringLiteral("\n");
    if (!line.rangeText.isEmpty() && options.ranges)
        text += Tabs(line.indent) + line.rangeText + QStringLiteral("\n");
    if (!line.commentText.isEmpty() && options.comments)
        text += Tabs(line.indent) + line.commentText;
    return text;
}

QString KeywordText(const RecipeLineRecord& line)
{
    return QStringLiteral("\n") + Tabs(line.indent) + line.displayText;
}
} // namespace

// How a line after a copied unit procedure's header takes part: 1 a child, 0 left out, -1 the
// unit procedure ends before it. The same keyword lines a drag removes from its window.
static int ChildRoleOf(const CQUORVANTAView& view, int index)
{
    const RecipeLineRecord& line = view.Line(index)->line();
    if (line.kind == RECIPE_LINE_OPERATION || line.hidden || IsBlockEnd(line.typeText))
        return 1;
    int next = index;
    CRecipeButton* after = nullptr;
    if (!view.FindNextVisibleLine(next, &next, &after))
        return 0;
    if (line.kind != RECIPE_LINE_SERIES) { // a block start: "Series" first
        if (after->GetItemType() != RECIPE_LINE_SERIES || !view.FindNextVisibleLine(next, &next, &after))
            return 0;
    }
    if (after->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE)
        return -1;
    return after->GetItemType() == RECIPE_LINE_OPERATION ? 1 : 0;
}

bool CQUORVANTAView::OnEditCopy()
{
    RecipeClipboard* clipboard = RecipeClipboard::Installed();
    if (!clipboard || m_document.stepID < 0 || m_lineButtons.isEmpty())
        return false;
    clipboard->Clear();
    std::tie(clipboard->documentID1, clipboard->documentID2, clipboard->sourceStepID, clipboard->sourceFacilityID) =
        std::tuple(m_document.projectID, m_document.processID, m_document.stepID,
                   RecipeClipboard::StepFacilityID(m_document.stepID));
    const DisplayOptions options = CurrentDisplayOptions();
    const int position = InsertPosition();
    QString text;
    QSet<int> taken; // children of a copied unit procedure are not copied again
    bool decided = false, any = false;
    for (int index = 0; index < LineCount(); ++index) {
        const RecipeLineRecord& line = m_lineButtons.at(index)->line();
        if (!m_lineButtons.at(index)->IsSelected() || taken.contains(index))
            continue;
        any = true;
        if (line.kind == RECIPE_LINE_UNIT_PROCEDURE) {
            ClipItem item = ItemOf(line, 1, position);
            text += UnitProcedureText(line, options);
            for (int j = index + 1; j < LineCount() && Line(j)->GetItemType() != RECIPE_LINE_UNIT_PROCEDURE; ++j) {
                const int role = ChildRoleOf(*this, j);
                if (role < 0)
                    break;
                if (role == 0)
                    continue;
                const RecipeLineRecord& child = Line(j)->line();
                const bool operation = child.kind == RECIPE_LINE_OPERATION;
                item->children << ItemOf(child, operation ? 2 : 3, 2);
                item->children.last()->parentID = operation ? line.itemID : -1;
                text += operation ? OperationText(child, options) : KeywordText(child);
                taken.insert(j);
            }
            clipboard->items << item;
        } else if (line.kind == RECIPE_LINE_OPERATION) {
            long parent = -1;
            for (int j = index - 1; j >= 0 && parent < 0; --j)
                parent = Line(j)->GetItemType() == RECIPE_LINE_UNIT_PROCEDURE ? Line(j)->GetButtonID() : -1;
            if (parent < 0) { // a copy that stops leaves nothing to paste or cut
                clipboard->Clear();
                return false;
            }
            clipboard->items << ItemOf(line, 2, position);
            clipboard->items.last()->parentID = parent;
            text += OperationText(line, options);
        } else {
            clipboard->items << ItemOf(line, 3, position);
            text += KeywordText(line);
            continue;
        }
        if (!std::exchange(decided, true))
            clipboard->bUnitProcedures = line.kind == RECIPE_LINE_UNIT_PROCEDURE;
    }
    if (!any)
        return false;
    clipboard->bRecipeClipboardFilled = true;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

void CQUORVANTAView::OnEditCut()
{
    if (!OnEditCopy())
        return;
    m_bMultiSelect ? DeleteSelectedLinesOneByOne(QStringLiteral("Cut")) : DeleteSelectedItems(QStringLiteral("Cut"));
}

void CQUORVANTAView::OnEditDelete()
{
    m_bMultiSelect ? DeleteSelectedLinesOneByOne(QStringLiteral("Delete"))
                   : DeleteSelectedItems(QStringLiteral("Delete"));
}

// The source side of a drag: the copy, then the dragged lines leave this window without a question.
void CQUORVANTAView::CutForDrag()
{
    if (!OnEditCopy())
        return;
    m_bMultiSelect ? DeleteSelectedLinesOneByOne(QStringLiteral("DragCut"))
                   : DeleteSelectedItems(QStringLiteral("DragCut"));
}
