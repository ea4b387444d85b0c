#pragma once
// The Process Explorer pane: the open project's processes, their steps and each step's unit
// procedures and operations, filled from the project and step databases. It answers what is
// selected, selects and patches nodes for the other features and opens text-recipe windows.

#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/ProjectHandover.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/step/StepOutlineReader.h"
#include "recipe/explorer/ProcessTreeTypes.h"

#include <QHash>
#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

using HTREEITEM = QTreeWidgetItem*;

class CProcessTree : public QWidget,
                     public CommandTarget,
                     public ProcessExplorerServices,
                     public ProjectHandover {
    Q_OBJECT
public:
    // frameAction gives the main frame's action of a command the frame handles (null: none).
    explicit CProcessTree(std::function<QAction*(int)> frameAction = {}, QWidget* parent = nullptr);
    ~CProcessTree() override;

    QTreeWidget* tree() const { return m_tree; }
    QToolBar* toolBar() const { return m_toolBar; }
    QMenu* contextMenu() const { return m_contextMenu; }
    long projectID() const { return m_projectID; }

    // Filling and refreshing.
    bool CreateTreeImageList();
    bool FillProcessTree();
    void RefillTree();
    void ClearTree();
    void RefreshKeepSelection() override;
    void RebuildAndSelect(ExplorerLevel level, long itemID, long processID, long stepID) override;
    void RefreshStep(long stepID) override;
    void SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text) override;
    void SetOperationHiddenIcon(long stepID, long operationID, bool hidden) override;
    void SetStepLinkedIcon(HTREEITEM item, bool linked);
    void BuildStepLinkCounts();
    long GetStepLinkCount(long stepID) const;
    void DecrementStepLinkCount(long stepID);

    // Selection.
    int GetSelectedItemKind();
    void GetTreeSelection(ProcessTreeSelection& selection);
    ProcessTreeSelection GetTreeSelection() override;
    bool GetSelectedProcessOrStep(int* kind, long* stepID, bool deep) override;
    void GetDiagramSelection(long* id, long* itemID, QString& processLabel, bool* isProcess, int* kind);
    void GetItemText(QString& text, HTREEITEM item = nullptr) const;
    bool IsHiddenOperationItem(HTREEITEM item = nullptr) const;
    void SelectTreeItem(HTREEITEM item);
    void SelectStep(long stepID);
    void SelectProcessTreeItem(long stepID, long itemID, int itemType) override;

    // Lookups in tree order, first match.
    HTREEITEM FindProcessItem(long processID) const;
    HTREEITEM FindChildItem(HTREEITEM parent, long id) const;
    bool FindSiblingItem(long id, HTREEITEM first, HTREEITEM* found) const;
    HTREEITEM FindStepItem(long stepID) const;
    HTREEITEM FindNextStepOccurrence(long stepID, HTREEITEM skipProcess, HTREEITEM afterProcess) const;
    long GetProcessIDOfStep(long stepID) const;
    HTREEITEM FindOperationItem(long stepID, long operationID) const;
    HTREEITEM FindNextVisibleOperation(long stepID, long* operationID, HTREEITEM after) const;

    // Commands.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override;
    void OnCommand(int commandID) override; // only through the command dispatcher
    void RefreshCommandStates() override { updateCommandStates(); }
    void OnTextRecipe();

    // Deleting the selected node's process, step link, unit procedure or operation.
    void OnDelete();
    void DeleteProcess(long processID, HTREEITEM node);
    void RemoveStepFromProcess(long stepID, long processID);
    // rebuilt becomes false when the step's open recipe window did the delete.
    void DeleteUnitProcedure(long unitProcedureID, HTREEITEM node, bool* rebuilt);
    void DeleteOperation(long operationID, HTREEITEM node, bool* rebuilt);

    // Moving the selected step one place, across the neighbouring processes at either end.
    void OnMoveUp();
    void OnMoveDown();
    bool OnUpdateMoveUp() const;
    bool OnUpdateMoveDown() const;
    // The selected step's StepOrder (-1: no step selected; 0: its link cannot be read); sets
    // m_nStepCount to its process's steps + 1.
    long GetSelectedStepOrder();
    // Creating and editing (ProcessTreeCreate.cpp, ProcessTreeEdit.cpp).
    void OnNewProcess();
    void OnNewStep();
    void OnInformation();
    void OnRouteSelection();
    bool OnUpdateNewProcess() const;
    bool OnUpdateNewStep() const;
    bool OnUpdateInformation() const;
    void EditProcess(long processID, HTREEITEM item);
    // The names of the process's [Process-To-Project] row (left as they are without one); false
    // after the message when the table cannot be opened.
    static bool GetProcessNameAndVersion(QString& name, QString& version, long processID);
    // Bare editors for the Information command to run in place of the recipe's own (by step and
    // item id; true when something was changed and stored); the tree then relabels, refreshes the
    // step panes and marks the project. The recipe's editors do that themselves, once.
    using RecipeItemEditor = std::function<bool(long stepID, long itemID)>;
    void SetRecipeItemEditors(RecipeItemEditor unitProcedure, RecipeItemEditor operation);

    // Project hand-over.
    void RebuildPanes() override
    {
        RefillTree();
        updateCommandStates();
    }
    void ClearPanes() override
    {
        ClearTree();
        updateCommandStates();
    }

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Remembered {
        int level = LEVEL_NONE;
        long itemID = -1;
        long processID = -1;
        long stepID = -1;
        HTREEITEM found = nullptr;
    };

    void createToolBar();
    void createContextMenu();
    QAction* paneAction(int commandID);
    QAction* frameAction(int commandID, const QString& text);
    void updateCommandStates();
    void onCurrentItemChanged(HTREEITEM current);
    void showContextMenu(const QPoint& position);
    void reportSelection(bool becameActive);
    ContextRecord contextRecord();

    bool fillProcess(long processID, const QString& label);
    bool fillSteps(HTREEITEM processItem, long processID);
    bool FillStepItems(HTREEITEM stepItem, long processID);
    const StepOutline* readOutline(long stepID);
    void addOutlineNodes(HTREEITEM stepItem, long processID, const StepOutline& outline);
    HTREEITEM addNode(HTREEITEM parent, const QString& label, long id, int icon);
    void rememberIfWanted(HTREEITEM node, int level, long id, long processID, long stepID);
    void rebuild();
    void selectRemembered();
    void rememberCaret();
    QList<long> stepsToOpen(long processID, bool wholeProcess, long selectedStep) const;
    bool openRecipeWindow(long stepID, long processID);
    bool processOfSelection(long* processID, QString* name, QString* version);
    int newStepMode(bool processSelected, HTREEITEM processItem) const;
    void addNewStepNode(HTREEITEM processItem, long stepID, const QString& label);
    int stepNodeIndex(HTREEITEM processItem, long stepID) const;
    void onNodeDoubleClicked(HTREEITEM item);
    void editStep(HTREEITEM item);
    void relabelStep(HTREEITEM item, long stepID, const QString& label);
    bool regenerateStepOperations(long stepID);
    void editUnitProcedure(HTREEITEM item);
    void relabelUnitProcedure(long stepID, long unitProcedureID);
    void editOperation(HTREEITEM item);
    bool lastPrimaryEquipment(long stepID, long unitProcedureID, long operationID, long* equipmentID);
    void afterItemEdit(bool changed);

    bool isDeleteOrMoveEnabled(int commandID) const;
    void onDeleteOrMove(int commandID);
    void afterStepsLeftProcess(long processID, const QList<long>& stepIDs, const QList<long>& counts);
    void deleteRecipeItem(long stepID, long itemID, int kind, const QString& failure);
    long selectedStepOrder(long* stepCount) const;
    bool moveWithinProcess(long stepID, long processID, long delta, long neighbourID);
    bool moveAcross(long stepID, long processID, HTREEITEM neighbour, bool down);
    void finishMove(long stepID, long processID);

    QTreeWidget* m_tree = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_contextMenu = nullptr;
    std::function<QAction*(int)> m_frameAction;
    QList<QAction*> m_paneActions;
    long m_projectID = 1;
    int m_level = LEVEL_NONE; // of the last kind worked out
    Remembered m_remembered;
    QHash<long, long> m_linkCounts; // by step id: its process links beyond the first
    CStepOutlineCache m_outlines;   // a rebuild reads again only the steps that changed
    bool m_bContextMenu = false;
    bool m_echoSelection = true; // off while another feature selects a node
    long m_nStepCount = 0;       // of the selected step's process: its steps + 1
    RecipeItemEditor m_editUnitProcedure;
    RecipeItemEditor m_editOperation;
};
