#pragma once
// The Plan Explorer pane: the open project's production plans in a list under the pane's own
// toolbar. Its commands create, copy, edit and delete plans, lay out a plan's simulation sequence
// and run the plan requirement calculation to show the plan sequence file. A flag table remembers
// for each listed plan whether it can be simulated.

#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/concerns/ProjectHandover.h"

#include <QList>
#include <QWidget>

#include <functional>

class QAction;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolBar;

class CPlanList : public QWidget,
                  public CommandTarget,
                  public PlanExplorerServices,
                  public ProjectHandover {
    Q_OBJECT
public:
    // frameAction gives the main frame's action of a command the frame handles (null: none).
    explicit CPlanList(std::function<QAction*(int)> frameAction = {}, QWidget* parent = nullptr);
    ~CPlanList() override;

    QListWidget* list() const { return m_list; }
    QToolBar* toolBar() const { return m_toolBar; }
    QMenu* contextMenu() const { return m_contextMenu; }

    // Filling: the plans of [ProductionPlan-To-Project] in table order, then sorted by the frame;
    // the first selected. False, with the list unchanged, when the table cannot be read.
    bool RefillPlanList();
    bool Refresh() { return true; } // the list changes only by the pane's own commands
    bool Clear();

    // PlanExplorerServices
    bool GetSelectedPlan(long& planID, QString& planName) const override;
    bool SelectPlan(long planID) override;
    bool SimulatePlan(long planID, bool readName, EngineEntry* engine, bool simulateBatchesFirst) override;
    bool IsPlanSimulatable(long planID) const override; // from the flag table

    // Commands.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override;
    void OnCommand(int commandID) override; // only through the command dispatcher
    void RefreshCommandStates() override { updateCommandStates(); }
    void OnNewPlan();
    void OnEditPlan();
    void OnDeletePlan();
    void OnDefineSequence();
    void ViewPlanSequence();

    // Project hand-over.
    void RebuildPanes() override
    {
        RefillPlanList();
        updateCommandStates();
    }
    void ClearPanes() override
    {
        Clear();
        updateCommandStates();
    }

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PlanFlag {
        long planID;
        bool simulatable;
    };

    void createToolBar();
    void createContextMenu();
    QAction* paneAction(int commandID);
    QAction* frameAction(int commandID, const QString& text);
    void updateCommandStates();
    void showContextMenu(const QPoint& position);
    void reportSelection(bool becameActive);
    ContextRecord contextRecord() const;
    QListWidgetItem* addPlanItem(int row, long planID, const QString& name);
    void recomputeFlags(long planID);
    void afterPlanChange();

    QListWidget* m_list = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_contextMenu = nullptr;
    std::function<QAction*(int)> m_frameAction;
    QList<QAction*> m_paneActions;
    QList<PlanFlag> m_flags;
};
