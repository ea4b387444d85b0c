// Breakpoints, remark marks and line texts changed from outside the view.

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "recipe/view/QuorvantaView.h"
#include "recipe/view/RecipeButton.h"
#include "recipe/lines/RecipeLineTexts.h"
#include "recipe/lines/RecipeLineSources.h"
#include "recipe/view/RecipeWindows.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
QString RowKeysJson(const QList<CRecipeButton*>& lines, bool breakpoint)
{
    QJsonArray keys;
    for (const CRecipeButton* line : lines) {
        if (line->line().breakpoint == breakpoint)
            keys.append(qint64(line->line().rowKey));
    }
    return QString::fromUtf8(QJsonDocument(keys).toJson(QJsonDocument::Compact));
}

// Stores the lines' breakpoint flags in their rows in one transaction; the error text on failure.
QString WriteBreakpoints(CDaoDatabase& database, const QList<CRecipeButton*>& lines)
{
    try {
        CDaoTransaction transaction(database);
        for (const bool breakpoint : {true, false})
            database.Execute(QStringLiteral("UPDATE TextRecipe SET Breakpoint = ? "
                                            "WHERE RowKey IN (SELECT value FROM json_each(?))"),
                             {breakpoint ? 1 : 0, RowKeysJson(lines, breakpoint)});
        transaction.Commit();
    } catch (const CDaoException& error) {
        return error.GetErrorDescription();
    }
    return QString();
}
} // namespace

void CQUORVANTAView::ToggleBreakpoints()
{
    QList<CRecipeButton*> changed;
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        const int kind = line->GetItemType();
        if (line->IsSelected() && (kind == RECIPE_LINE_UNIT_PROCEDURE || kind == RECIPE_LINE_OPERATION))
            changed << line;
    }
    if (changed.isEmpty())
        return;
    CDaoDatabase* database = GetStepDatabase(m_document.stepID);
    if (!database || !database->CanUpdate()) {
        QvMessageBox(QStringLiteral("Can't open TextRecipe Table to update!"), MB_OK);
        return;
    }
    for (CRecipeButton* line : std::as_const(changed))
        line->line().breakpoint = !line->line().breakpoint;
    const QString error = WriteBreakpoints(*database, changed);
    if (!error.isEmpty()) { // nothing was stored: the lines show what the rows hold
        for (CRecipeButton* line : std::as_const(changed))
            line->line().breakpoint = !line->line().breakpoint;
        QvMessageBox(error, MB_OK | MB_ICONERROR);
        return;
    }
    viewport()->update();
    RefreshStepRecipeViews(m_document.stepID, this);
    SetProjectModified(true);
}

void CQUORVANTAView::RefreshRemarkMarks()
{
    if (m_document.stepID < 0)
        return;
    const WaitCursor wait;
    const std::optional<QHash<long, int>> severities = ReadStepRemarkSeverities(m_document.stepID);
    if (!severities)
        return; // an older results file leaves the marks as they are
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        if (line->GetItemType() == RECIPE_LINE_OPERATION)
            line->line().severity = severities->value(line->GetButtonID(), -1);
    }
    viewport()->update();
    RecalcLayout(false, m_nClientWidth, m_nClientHeight);
}

void CQUORVANTAView::SetLineText(long itemID, int kind, const QString& text)
{
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        if (line->GetButtonID() == itemID && line->GetItemType() == kind)
            line->SetText(text);
    }
    RecalcLayout(false, m_nClientWidth, m_nClientHeight);
}

// After an edit of the item its lines show what a fresh load shows; a vanished item reloads all.
void CQUORVANTAView::ReloadRecipeLine(long itemID, int kind)
{
    ReloadRecipeLines({itemID}, kind);
}

void CQUORVANTAView::ReloadRecipeLines(const QList<long>& itemIDs, int kind)
{
    if (itemIDs.isEmpty())
        return;
    QHash<long, RecipeLineRecord> texts;
    if (!ReadRecipeLineTexts(m_document.stepID, itemIDs, kind, texts)) {
        RebuildRecipe();
        return;
    }
    for (CRecipeButton* line : std::as_const(m_lineButtons)) {
        const auto found = line->GetItemType() == kind ? texts.constFind(line->GetButtonID()) : texts.cend();
        if (found != texts.cend())
            line->TakeTexts(*found);
    }
    RecalcLayout(false, m_nClientWidth, m_nClientHeight);
    viewport()->update();
}
