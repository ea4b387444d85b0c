#pragma once
// The text-recipe window of one step: one line window per TextRecipe row in recipe order, laid out
// one under another with indents in a scrolled viewport, with the labels, rules and marks painted
// around them. It selects, scrolls, toggles breakpoints and prints; the document it shows is its
// identity (project, process, step).

#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/RecipeDocument.h"

#include "recipe/edit/RecipeConstraints.h"
#include "recipe/view/RecipeTextHeights.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QList>
#include <QPointer>

#include <functional>
#include <utility>

class CRecipeButton;
struct RecipeLineSetRow;
class QPrinter;
struct RecipeLineRecord;
struct RecipeLineRow;
struct OperationPlace;
struct PasteRun;
struct RecipeClipboardItem;
struct RecipeDragSourceInfo;
struct UnitProcedurePlace;

// Scroll codes of the scroll handlers.
enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

class CQUORVANTAView : public QAbstractScrollArea, public RecipeDocument, public CommandTarget {
    Q_OBJECT
public:
    explicit CQUORVANTAView(QWidget* parent = nullptr);
    ~CQUORVANTAView() override;

    RecipeDocumentIdentity& identity() override { return m_document; }
    long stepID() const { return m_document.stepID; }

    // Building and refreshing the lines.
    void LoadRecipeLines();
    void RebuildRecipe();
    void RefreshRecipeText();
    void RefreshRemarkMarks();
    bool AddLineButton(RecipeLineRecord& record);
    void RecalcLayout(bool keepPositions, int cx, int cy);
    void RecalcLayout(); // for the client size, sizes measured again
    bool linesLoaded() const { return m_bLinesLoaded; }

    // The lines.
    int LineCount() const { return int(m_lineButtons.size()); }
    CRecipeButton* Line(int index) const;
    CRecipeButton* GetFirstSelectedLine() const;
    int GetFirstSelectedIndex() const;
    bool FindNextVisibleLine(int from, int* index, CRecipeButton** line) const;
    long GetSelectedOperationID() const;
    int GetSelectedItemType() const;
    long GetSelectedItemID() const;
    bool IsStartParallelSelected() const;
    bool IsMultiSelect() const { return m_bMultiSelect; }
    // Ctrl is ignored by the selection while this is set.
    void SetSingleSelectOnly(bool single) { m_bSingleSelectOnly = single; }
    // The lines after the unit procedure's, up to the next one, deselected and marked as its own.
    void MarkUnitProcedureGroup(int index);
    // Every line but keep (null: every line) deselected.
    void DeselectOthers(const CRecipeButton* keep = nullptr);
    // A line of this view was selected (CRecipeButton::SetSelected): the lines a deselection visits.
    void NoteLineSelected(CRecipeButton* line);
    long nextBlockNumber() const { return m_nNextBlockNumber; }

    // Selecting and finding.
    void SelectItem(int index);
    void SelectAndShowItem(long itemID, int kind);
    void FindText(const QString& text, bool matchCase, bool searchDown);
    void SetLineText(long itemID, int kind, const QString& text);
    void ReloadRecipeLine(long itemID, int kind);
    void ReloadRecipeLines(const QList<long>& itemIDs, int kind); // one layout for all

    // Scrolling, keys and mouse (also forwarded by the lines).
    void OnVScroll(ScrollCode code, int position = 0);
    void OnHScroll(ScrollCode code, int position = 0);
    void OnMouseWheel(int delta);
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void OnLineClicked(CRecipeButton* line, bool ctrl);
    void OnLineMouseMove(CRecipeButton* line, QMouseEvent* event);
    void ShowContextMenu(const QPoint& globalPos);
    void OnActivateView(bool activate);

    // Inserting next to the first selected line; where: 1 before it, 2 after it. An id of -1 asks
    // for a new item through the operation dialogs; an existing item (a moved line) keeps the
    // given texts, Hide and Breakpoint. Each insert writes its rows and renumbers in one
    // transaction.
    void InsertOperation(int where, long operationTypeID, long operationID, const QString& recipeText,
                         const QString& operationName, long reserved, bool hidden, bool breakpoint = false);
    void InsertUnitProcedure(int position, long unitProcedureID, const QString& name, bool hidden, bool noLine,
                             bool breakpoint = false);
    // kind 3 a parallel block, 4 an alternative block, 5 one "Series" line; blockNumber -1 takes the
    // next block number, any other inserts the one keyword line `keyword` of a moved block.
    void InsertKeywordBlock(int where, const QString& keyword, int kind, long blockNumber, long reserved,
                            bool hidden = false, bool breakpoint = false);
    void InsertFavoriteOperations(int listIndex);
    bool UpdateInsertOperationUI(int where) const;
    bool UpdateInsertKeywordUI(int where) const;
    bool UpdateInsertUnitProcedureUI() const;
    int InsertPosition() const { return m_bInsertAfter ? 2 : 1; }
    void ScrollLineIntoView(int index);
    void NotifyFrameOfSelection();
    // Quick Results of the selected operation (33125); off while a hidden operation is selected.
    bool IsQuickResultsEnabled() const;
    void OnOperationQuickResults();

    // Breakpoints of the selected unit-procedure and operation lines, flipped and stored.
    void ToggleBreakpoints();

    // Deleting and cutting lines (QuorvantaViewDelete.cpp). Modes: "Delete", "Cut", "DragCut",
    // "Unit Procedure" and the type texts of moved lines. Each call is one transaction.
    bool DeleteSelectedItems(const QString& mode);
    bool DeleteSelectedLinesOneByOne(const QString& mode);
    bool DeleteFirstSelectedLine(bool last);
    void CutForDrag();
    // Selects the line of that item and kind and deletes it as the Delete command does.
    bool DeleteItem(long itemID, int kind);

    // Indent, hide, breakpoints, moves and the constraint dialogs (QuorvantaViewEdit*.cpp).
    void IndentSelectedLines(int direction);
    void ToggleHide();
    void RemoveAllBreakpoints();
    bool MoveUp();
    bool MoveDown();
    void EditStartAfterConstraints();
    void EditParallelBlockConstraints();

    // Start-After constraints of moved lines (QuorvantaViewConstraints.cpp).
    bool CollectStartAfterLinks(long itemID, int targetIndex, int kind, QList<StartAfterLink>& links) const;
    // A unit procedure dropped whole before (1) or after (2) the target line: its own links and
    // those of each of its operations, all judged where the block lands (check with
    // unitProcedureMoved set).
    bool CollectUnitProcedureDropLinks(long unitProcedureID, int targetIndex, int position,
                                       QList<StartAfterLink>& links) const;
    // The line a unit procedure dropped before or after the target line lands after; -1 the top.
    int UnitProcedureLandingIndex(int targetIndex, int position) const;
    bool CheckStartAfterConstraints(const QList<StartAfterLink>& links, bool unitProcedureMoved);
    bool CheckItemConstraints(const StartAfterLink& link, bool unitProcedureMoved);
    int IndexOfItemID(long itemID, int kind) const;
    bool DeleteInvalidConstraints(long stepID);
    bool RewireConstraints(long stepID, long oldItemID, long newItemID);
    void ClearConstraintLists();
    const QList<ConstraintRef>& invalidConstraints() const { return m_invalidConstraints; }
    const QList<ConstraintRef>& keptConstraints() const { return m_keptConstraints; }
    const QString& constraintMessage() const { return m_strConstraintMessage; }

    // Copy to the recipe clipboard (QuorvantaViewClipboard.cpp).
    bool OnEditCopy();
    // Paste from it (QuorvantaViewPaste.cpp): every line, its data and one renumbering in one
    // transaction on this step; false when nothing was pasted.
    bool OnEditPaste();
    bool UpdatePasteUI() const;
    bool IsPasting() const { return m_bPasting; }
    void SetDragCutPending(bool pending) { m_bDragCutPending = pending; }
    bool IsDragCutPending() const { return m_bDragCutPending; }
    void OnEditCut();
    void OnEditDelete();

    // Drag and drop of lines (QuorvantaViewDrop.cpp). The line under a drag gets the drop mark
    // (null: none); a drop on a line or into an empty window answers whether lines moved or copied.
    void ShowDropTarget(CRecipeButton* line);
    int dropIndex() const { return m_nDropIndex; }
    bool DropOnLine(const RecipeDragSourceInfo& source, CRecipeButton* target);
    bool DropIntoEmptyWindow(const RecipeDragSourceInfo& source);
    // The dragged (selected) lines leave this window after the target committed its paste.
    bool CutDraggedLines();

    const QList<CRecipeButton*>& lines() const { return m_lineButtons; }

    // Printing: the recipe as 81-column pages; the page count.
    int PrintTo(QPrinter& printer);
    QString documentTitle() const;

    // Scroll state, for the frame's services and the tests.
    int vertPos() const { return m_nVertPos; }
    int horzPos() const { return m_nHorzPos; }
    int vertRange() const { return m_nVertRange; }
    int horzRange() const { return m_nHorzRange; }
    int scrollOffsetY() const { return m_nScrollOffsetY; }
    int contentHeight() const { return m_nContentHeight; }
    bool insertAfter() const { return m_bInsertAfter; }
    bool IsJapanese() const { return m_bJapanese; }
    CRecipeTextHeights& textHeights() { return m_textHeights; }

    // Commands of the view.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override;
    bool IsCommandChecked(int commandID) const override;
    QString CommandText(int commandID) const override;
    void OnCommand(int commandID) override;

    static constexpr int LEFT_MARGIN = 30;
    static constexpr int LINE_GAP = 5;
    static constexpr int MIN_WIDTH = 300;
    static constexpr int UNIT_PROCEDURE_GAP = 20;
    static constexpr int LABEL_X = 30;
    static constexpr int INDENT_WIDTH = 40;
    static constexpr int NARROW_WIDTH = 240;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Loading (QuorvantaViewLoad.cpp).
    bool fillRecord(const RecipeLineSetRow& row, RecipeLineRecord& record, long* largestBlock);
    bool fillUnitProcedure(const RecipeLineSetRow& row, RecipeLineRecord& record);
    bool fillOperation(const RecipeLineSetRow& row, RecipeLineRecord& record);
    int lineWidth(int indent) const;
    void selectFirstLineAfterLoad();
    void deliverPolishRequests();
    const QFont* fontOfKind(int kind) const;
    void createFonts();
    void clearLines();

    QString unitProcedureText(const QString& name, const QString& comment) const;

    // Inserting (QuorvantaViewInsert*.cpp).
    bool placeOperation(int where, OperationPlace* place) const;
    bool findOwningUnitProcedure(int from, bool takeOperationNumber, OperationPlace* place) const;
    UnitProcedurePlace placeUnitProcedure(int position) const;
    long numberFromKeyword(int index, int position, int* top) const;
    bool hiddenAbove(int from) const;
    int insertTop(int index, int where) const;
    // Up to the line before `until`; -1: to the last line.
    void renumberLines(int from, long unitProcedureNumber, long operationNumber, int until = -1);
    bool writeInsert(const std::function<void(class CDaoDatabase&)>& write);
    void finishInsert(int index, bool explorerBranch);
    bool addInsertedLine(RecipeLineRecord& record);

    // Layout and scrolling (QuorvantaViewLayout.cpp).
    bool measureLines(int cx, int* contentHeight);
    bool measureLine(CRecipeButton* line, int baseWidth, int* y) const;
    void relayoutLines(int from, int to);
    void updateScrollBars();
    void placeLines();
    void placeLinesBetween(int from, int to);
    bool placeInSight(CRecipeButton* line, const QRect& client);
    void placeOutOfSight(CRecipeButton* line, const QRect& client);
    void scrollTo(Qt::Orientation orientation, int position);
    int scrollMaximum(Qt::Orientation orientation) const;
    void ensureLineVisible(int index, bool pageDown);

    // Selection (QuorvantaViewSelect.cpp).
    void selectLine(int index, bool ctrl);
    void clearGroupMarks(CRecipeButton* clicked);
    void clickUnitProcedure(int index, bool ctrl);
    void ctrlClickLine(CRecipeButton* line);
    void reportSelection();
    bool lineMatches(const CRecipeButton* line, const QString& text, bool matchCase) const;

    // Editing (QuorvantaViewDelete.cpp, QuorvantaViewEdit*.cpp).
    int removeForDelete(int index, int mode, bool* itemRemoved);
    bool keepsKeywordOnDragCut(int index) const;
    bool dropsConstraintsOfRemoved(int mode) const;
    void takeLine(int index);
    bool confirmDelete(int index, int mode);
    void afterDelete(int index, int mode, bool itemRemoved);
    int removeFirstSelected(bool* itemRemoved);
    void afterMultiDelete();
    std::pair<int, int> moveWindow(int index) const;
    bool moveLineUp(int index, std::pair<int, int>* changed);
    void placeMovedLine(int index, std::pair<int, int> changed);
    void finishMove(int movedUp, int selected, std::pair<int, int> changed);
    bool moveAllowed(int index) const;
    bool writeIndent(const QList<CRecipeButton*>& changed);
    void changeHidden(CRecipeButton* line, bool hidden, QList<CRecipeButton*>& changed);
    void tellEngineOfSeries(const CRecipeButton* series);
    bool updateMoveUI(int commandID) const;
    bool updateEditUI(int commandID, bool* enabled) const;
    bool runEditCommand(int commandID);

    // Pasting (QuorvantaViewPaste.cpp); each raises PasteStopped after its message.
    void pasteItem(const RecipeClipboardItem& item, int position, PasteRun& run);
    void PasteUnitProcedure(PasteRun& run, long srcStepID, long srcUnitProcedureID, int position,
                            const QString& name, const QString& comment, bool hidden, int indent);
    void PasteOperation(PasteRun& run, long srcStepID, long srcOperationID, int position, long operationTypeID,
                        const QString& label, bool hidden, int indent);
    void PasteKeyword(PasteRun& run, int position, const QString& typeText, int kind, int indent);
    int unitProcedurePasteIndex(int position, long* number) const;
    void placePastedLine(PasteRun& run, RecipeLineRecord& record);
    void numberLinesBetween(int from, int until);
    void selectPasted(PasteRun& run, int index);
    void selectQuietly(int index);
    void writePasteNumbers(PasteRun& run, const QList<RecipeLineRow>& after); // after: the lines' rows now
    bool preparePasteSelection();
    // The paste; beforeLines runs first inside its transaction (a move within this window cuts there).
    bool pasteClipboard(const std::function<bool()>& beforeLines);
    bool dropRefused(const RecipeDragSourceInfo& source, int target);
    bool dropConstraintsAccepted(const RecipeDragSourceInfo& source, int target);
    bool moveWithinView(CRecipeButton* source, CRecipeButton* target);
    bool dropFromOtherView(const RecipeDragSourceInfo& source, CRecipeButton* target);
    void finishPaste();

    // Drawing (QuorvantaViewDraw.cpp).
    void drawLineMarks(class QPainter& painter, const CRecipeButton* line, int index, long stoppedLine);

    RecipeDocumentIdentity m_document;
    QList<CRecipeButton*> m_lineButtons;
    bool m_bMultiSelect = false;
    bool m_bSingleSelectOnly = false;
    bool m_bGroupMarksCleared = false;
    bool m_bPasting = false;
    bool m_bDragCutPending = false;
    int m_nDropIndex = -1; // the line showing the drop mark; -1 none
    bool m_bInsertAfter = true;
    bool m_bInsertBefore = false;
    bool m_bJapanese = false;
    bool m_bFontsCreated = false;
    bool m_bLinesLoaded = false;
    bool m_bLoadPending = true; // the first paint builds the lines once
    bool m_bSyncHeldOff = false;
    int m_nButtonsCreated = 0;
    int m_nNextLineY = 0;
    long m_nNextBlockNumber = 1;
    QFont m_fontNormal, m_fontBold, m_fontUnderline;
    CRecipeTextHeights m_textHeights;
    int m_nHorzRange = 0, m_nVertRange = 0;
    int m_nClientWidth = 0, m_nClientHeight = 0;
    int m_nHorzPos = 0, m_nVertPos = 0;
    int m_nPageWidth = 0, m_nPageHeight = 0;
    int m_nScrollOffsetY = 0, m_nScrollOffsetX = 0;
    int m_nContentHeight = 0;
    bool m_bNarrow = false;
    bool m_bPlacing = false; // scroll bars set by the layout: no scroll of the content
    QList<QPointer<CRecipeButton>> m_linesInSight; // as the last placing left them
    // Every selected line is here (some no longer selected may be too): a deselection visits only
    // these, not all the lines.
    QList<QPointer<CRecipeButton>> m_selectedLines;
    static constexpr qsizetype FEW_SELECTED_LINES = 8;
    QList<ConstraintRef> m_invalidConstraints;
    QList<ConstraintRef> m_keptConstraints;
    QString m_strConstraintMessage;
};

// The step's open recipe window selects the line of that item and kind (a multiple selection
// ends) and deletes it as the Delete command does; false without such a window or line.
bool DeleteItemInRecipeView(long stepID, long itemID, int kind);
