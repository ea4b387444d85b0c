#pragma once
// One line of a text-recipe view: paints its own text (keyword lines in blue, selected lines in the
// highlight colours, hidden lines in green, the line under a drag on the highlight brush), turns
// clicks into its view's selection and opens its item's editor on a double-click.

#include "recipe/lines/RecipeLineRecord.h"

#include <QWidget>

class CQUORVANTAView;

class CRecipeButton : public QWidget {
    Q_OBJECT
public:
    // font may be null: the window's own font.
    CRecipeButton(const QFont* font, const QString& text, const QString& typeText, int kind, long itemID,
                  long stepID, bool hidden, CQUORVANTAView* view, QWidget* parent);

    long GetButtonID() const { return m_line.itemID; }
    int GetItemType() const { return m_line.kind; }
    void SetItemType(int kind) { m_line.kind = kind; }
    long GetUnitProcedureNumber() const { return m_line.unitProcedureNumber; }
    QString GetTypeText() const { return m_line.typeText; }
    void SetCommentText(const QString& text) { m_line.commentText = text; }
    long GetStepID() const { return m_line.stepID; }
    CQUORVANTAView* view() const { return m_view; }
    RecipeLineRecord& line() { return m_line; }
    const RecipeLineRecord& line() const { return m_line; }

    const QString& text() const { return m_line.displayText; }
    void SetText(const QString& text);
    bool IsSelected() const { return m_selected; }
    // Inline: a selection may pass over every line. The view is told of each line selected.
    void SetSelected(bool selected)
    {
        if (m_selected == selected)
            return;
        update();
        m_selected = selected;
        if (selected)
            noteSelected();
    }
    bool IsDropHighlighted() const { return m_dropHighlight; }
    void SetDropHighlight(bool highlighted);
    // An operation line of a selected unit procedure (marked by a click on that unit procedure).
    bool IsInGroup() const { return m_inGroup; }
    void SetInGroup(bool inGroup) { m_inGroup = inGroup; }
    bool IsHidden() const { return m_line.hidden; }
    // The texts of a fresh load of the line's item (RecipeLineTexts.h) replace its own.
    void TakeTexts(const RecipeLineRecord& texts);
    // A plain click, whatever keys are down (the view's find selects with it).
    void Click();

    // Opens the editor of the line's item as a double-click does: unit procedure, operation or the
    // delay of a "Start Parallel" block; other lines have none. True when the line changed.
    bool Edit();
    bool EditUnitProcedure();
    bool EditOperation();
    bool EditParallelBlockDelay();

    // Height of the text wrapped to width; also keeps the single-line height.
    int Measure(int width);
    int singleLineHeight() const { return m_singleLineHeight; }

    // Layout results, in content coordinates.
    int m_x = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void noteSelected();
    // The background brush and text colour of the line's state.
    std::pair<QBrush, QColor> colours() const;

    RecipeLineRecord m_line;
    CQUORVANTAView* m_view;
    bool m_selected = false;
    bool m_dropHighlight = false;
    bool m_inGroup = false;
    int m_singleLineHeight = 0;
    int m_measuredWidth = -1; // the width the height was measured for; -1: measure again
};

// Text flags of a line: wrapped at words, tabs expanded, no mnemonics.
constexpr int RECIPE_TEXT_FLAGS = Qt::TextWordWrap | Qt::TextExpandTabs;
