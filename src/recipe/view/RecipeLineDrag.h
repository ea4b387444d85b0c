#pragma once
// A drag of recipe lines with the mouse, program wide: the main frame owns the one instance and
// installs it in its slot. The pressed line keeps the mouse while the left button is held, so it
// hands every move and the release here and the window under the pointer is looked up. The
// gesture starts after the drag distance and ends with any release, a right click, Esc or the
// source window closing; the cursor it replaced comes back then.

#include <QPoint>
#include <QPointer>

class CQUORVANTAView;
class CRecipeButton;
class QWidget;

// Where a drag started: the window, its step and line, and the step's facility.
struct RecipeDragSourceInfo {
    QPointer<CQUORVANTAView> view;
    QPointer<CRecipeButton> line;
    long stepID = -1;
    long itemID = -1;
    int kind = 0;
    long facilityID = -1;
};

class CRecipeLineDrag {
public:
    // The installed one; null without a main frame.
    static CRecipeLineDrag* Installed();

    // A left press without Ctrl on a line of a window without a multiple selection.
    void Arm(CRecipeButton* line, const QPoint& globalPos);
    // The pointer moved with the left button held; ctrl asks for the copy cursor.
    void Move(const QPoint& globalPos, bool ctrl);
    // The left button went up; true when lines were dropped.
    bool Release(const QPoint& globalPos);
    void Cancel();

    bool IsArmed() const { return !m_pDragSourceView.isNull(); }
    bool IsDragging() const { return m_dragging && IsArmed(); }
    // The source window of the drag in progress; null when none.
    CQUORVANTAView* dragSourceView() const;
    RecipeDragSourceInfo source() const;

    // The recipe window and its line under the global point (line null off the lines).
    static CQUORVANTAView* ViewAt(const QPoint& globalPos, CRecipeButton** line);

private:
    void showDropTarget(CQUORVANTAView* view, CRecipeButton* line);
    void showCursor(bool overOtherWindow, bool ctrl);
    void end();

    QPointer<CQUORVANTAView> m_pDragSourceView;
    QPointer<CRecipeButton> m_pDragLine;
    long m_sourceStepID = -1;
    long m_sourceItemID = -1;
    int m_sourceKind = 0;
    long m_sourceFacilityID = -1;
    QPoint m_pressPos;
    bool m_dragging = false;
    QPointer<CQUORVANTAView> m_hoverView;
    bool m_cursorShown = false;
    bool m_copyCursor = false;
};
