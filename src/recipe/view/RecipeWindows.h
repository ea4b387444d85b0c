#pragma once
// The frame's services over its open text-recipe windows: reloading, re-laying out, selecting and
// retitling the windows of a step. Windows are found through the document host, never kept here.
// It also holds the frame's insert mode, which every view copies when it is activated, and the
// placement a new recipe window takes when it is first shown.

#include "foundation/common/concerns/SubsystemConcerns.h"

#include <QList>
#include <QRect>

#include <functional>

class CQUORVANTAView;
class ServiceInstallations;

class CRecipeWindows : public RecipeViewServices {
public:
    // The installed one; null when the recipe views are not installed.
    static CRecipeWindows* Installed();

    void RefreshRecipeViews() override;
    void ReloadRecipeViews(long stepID) override;
    void RelayoutRecipeViews(long stepID) override;
    void RefreshRecipeText(long stepID) override;
    void ReloadAllRecipeViews() override;
    void ApplyInsertMode(bool insertAfter, bool insertBefore) override;
    void RefreshStepRecipeViews(long stepID, QWidget* except) override;
    void SelectRecipeLine(long stepID, int lineIndex) override;
    void UpdateRecipeLineText(long stepID, long itemID, int itemType, const QString& text) override;
    void SetRecipeItemText(long stepID, long itemID, int itemType, const QString& text) override;
    void ReloadRecipeLine(long stepID, long itemID, int itemType) override;
    void ReloadRecipeLines(long stepID, const QList<long>& itemIDs, int itemType) override;
    bool IsRecipeWindowOpen(long stepID) const override;
    bool DeleteItemInRecipeView(long stepID, long itemID, int itemType) override;
    void CloseStepRecipeWindows(long processID, long stepID) override;
    void UpdateRecipeWindowTitle(long stepID, const QString& title) override;

    bool insertAfter() const { return m_insertAfter; }
    // The next recipe window that is shown takes this placement (in its frame window's parent).
    void SetPendingPlacement(const QRect& placement) { m_pendingPlacement = placement; }
    void ApplyPendingPlacement(CQUORVANTAView* view);

    // The open views of the step (-1: of every step) in tab order.
    static QList<CQUORVANTAView*> Views(long stepID = -1);

private:
    bool m_insertAfter = true;
    QRect m_pendingPlacement;
};

// The view of the active recipe window; null when the active window shows something else.
CQUORVANTAView* GetActiveRecipeView();
// The first open view of the step; null when none shows it.
CQUORVANTAView* GetRecipeViewOfStep(long stepID);

// Installs the recipe-view services; the factory of the recipe window kind.
std::function<QWidget*()> InstallRecipeViews(ServiceInstallations& installed);
