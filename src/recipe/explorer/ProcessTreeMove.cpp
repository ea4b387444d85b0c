// Moving the selected step one place: within its process, or from either end into the
// neighbouring process node. Only the links' ProcessID and StepOrder change, in one transaction;
// a START link of a process is never moved, renumbered or counted.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/db/project/QryStepByStepAndProcessIDSet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "modules/engine/EngineEntry.h"
#include "recipe/edit/StagedTransaction.h"
#include "recipe/explorer/ProcessStepWriter.h"

#include <QTreeWidget>

namespace {
const char* const ORDER_QUERY_FAILURE = "Can't open Query QryStepToProcessForProcessID!";
const char* const STEP_ROW_FAILURE = "Can't open Query QryStepByStepAndProcessID!";
const char* const LINKS_TABLE_FAILURE = "Can't open StepToProcess table!";

struct MovableLink {
    long stepID;
    long order;
};

long MoveNodeID(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}

// The process's links in step order, START links left out; false when they cannot be read.
bool ReadMovableLinks(long processID, QList<MovableLink>& links)
{
    CStepToProcessSet rows;
    if (!rows.OpenSet(processID))
        return false;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        if (rows.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) != 0)
            links.append({rows.GetLong(QStringLiteral("StepID")), rows.GetLong(QStringLiteral("StepOrder"))});
    }
    return true;
}

qsizetype IndexOfLink(const QList<MovableLink>& links, long stepID)
{
    for (qsizetype i = 0; i < links.size(); ++i) {
        if (links.at(i).stepID == stepID)
            return i;
    }
    return -1;
}

// The step's node when a step is selected, else null.
QTreeWidgetItem* SelectedStepNode(const QTreeWidget* tree)
{
    QTreeWidgetItem* caret = tree->currentItem();
    return caret && caret->parent() && !caret->parent()->parent() ? caret : nullptr;
}

QTreeWidgetItem* NeighbourProcess(const QTreeWidget* tree, QTreeWidgetItem* process, int offset)
{
    const int at = tree->indexOfTopLevelItem(process) + offset;
    return at >= 0 && at < tree->topLevelItemCount() ? tree->topLevelItem(at) : nullptr;
}

// False with the message when the step's link to the process cannot be read or, as wanted, is
// there or missing.
bool CheckStepLink(long stepID, long processID, bool wanted, const char* presentMessage)
{
    CQryStepByStepAndProcessIDSet link;
    if (!link.OpenSet(stepID, processID)) {
        QvMessageBox(QString::fromLatin1(STEP_ROW_FAILURE));
        return false;
    }
    if ((link.GetRecordCount() > 0) == wanted)
        return true;
    QvMessageBox(wanted ? QStringLiteral("Query QryStepByStepAndProcessID returns empty!")
                        : QString::fromLatin1(presentMessage));
    return false;
}

// The selected step with its process's movable links; no step after the message when none is
// selected or the links cannot be read.
struct SelectedMove {
    QTreeWidgetItem* step = nullptr;
    long stepID = -1;
    long processID = -1;
    QList<MovableLink> links;
};

SelectedMove SelectedStepMove(const QTreeWidget* tree)
{
    SelectedMove move;
    QTreeWidgetItem* step = SelectedStepNode(tree);
    if (!step) {
        QvMessageBox(QStringLiteral("Please select a step first!"));
        return move;
    }
    move.stepID = MoveNodeID(step);
    move.processID = MoveNodeID(step->parent());
    if (!ReadMovableLinks(move.processID, move.links)) {
        QvMessageBox(QString::fromLatin1(ORDER_QUERY_FAILURE));
        return move;
    }
    move.step = step;
    return move;
}
} // namespace

long CProcessTree::selectedStepOrder(long* stepCount) const
{
    const QTreeWidgetItem* step = SelectedStepNode(m_tree);
    if (!step)
        return -1;
    QList<MovableLink> links;
    if (!ReadMovableLinks(MoveNodeID(step->parent()), links))
        return 0;
    *stepCount = long(links.size()) + 1;
    const qsizetype at = IndexOfLink(links, MoveNodeID(step));
    return at < 0 ? 0 : links.at(at).order;
}

long CProcessTree::GetSelectedStepOrder()
{
    return selectedStepOrder(&m_nStepCount);
}

bool CProcessTree::OnUpdateMoveDown() const
{
    long stepCount = 0;
    const long order = selectedStepOrder(&stepCount);
    return order >= 0 && (order < stepCount - 1 ||
                          NeighbourProcess(m_tree, SelectedStepNode(m_tree)->parent(), 1) != nullptr);
}

bool CProcessTree::OnUpdateMoveUp() const
{
    long stepCount = 0;
    const long order = selectedStepOrder(&stepCount);
    return order >= 0 && (order > 1 || NeighbourProcess(m_tree, SelectedStepNode(m_tree)->parent(), -1) != nullptr);
}

void CProcessTree::OnMoveDown()
{
    const SelectedMove move = SelectedStepMove(m_tree);
    if (!move.step)
        return;
    QTreeWidgetItem* step = move.step;
    const long stepID = move.stepID;
    const long processID = move.processID;
    const QList<MovableLink>& links = move.links;
    const qsizetype at = IndexOfLink(links, stepID);
    if (at < 0)
        return;
    if (links.last().order != links.at(at).order) {
        if (moveWithinProcess(stepID, processID, 1, links.at(at + 1).stepID))
            finishMove(stepID, processID);
        return;
    }
    moveAcross(stepID, processID, NeighbourProcess(m_tree, step->parent(), 1), true);
}

void CProcessTree::OnMoveUp()
{
    const SelectedMove move = SelectedStepMove(m_tree);
    if (!move.step)
        return;
    QTreeWidgetItem* step = move.step;
    const long stepID = move.stepID;
    const long processID = move.processID;
    const QList<MovableLink>& links = move.links;
    const qsizetype at = IndexOfLink(links, stepID);
    const long order = at < 0 ? 0 : links.at(at).order;
    if (order > 1) {
        if (moveWithinProcess(stepID, processID, -1, at > 0 ? links.at(at - 1).stepID : -1))
            finishMove(stepID, processID);
    } else if (order == 1) {
        moveAcross(stepID, processID, NeighbourProcess(m_tree, step->parent(), -1), false);
    }
}

// The step takes delta on its StepOrder, its neighbour (-1: none) the opposite.
bool CProcessTree::moveWithinProcess(long stepID, long processID, long delta, long neighbourID)
{
    const bool written = CStagedTransaction(GetProjectDatabase())
                             .Stage(ORDER_QUERY_FAILURE, MB_OK,
                                    [=](CDaoDatabase& project) {
                                        CProcessStepWriter::ShiftStepOrder(project, processID, stepID, delta);
                                        if (neighbourID != -1)
                                            CProcessStepWriter::ShiftStepOrder(project, processID, neighbourID,
                                                                               -delta);
                                    })
                             .Commit();
    if (!written)
        RefreshKeepSelection();
    return written;
}

// Down: first in the next process, whose steps move one place on. Up: last in the previous
// process; the steps it leaves move one place up.
bool CProcessTree::moveAcross(long stepID, long processID, HTREEITEM neighbour, bool down)
{
    if (!neighbour) {
        QvMessageBox(down ? QStringLiteral("Can't move down this step since no next process exists!")
                          : QStringLiteral("Can't move up this step since no previous process exists!"));
        return false;
    }
    const long targetID = MoveNodeID(neighbour);
    if (!CheckStepLink(stepID, targetID, false,
                       down ? "Can't move down this step since there already is a same step in the next process!"
                            : "Can't move up this step since there already is a same step in the previous "
                              "process!"))
        return false;
    QList<MovableLink> targetLinks;
    if (!down && !ReadMovableLinks(targetID, targetLinks)) {
        QvMessageBox(QString::fromLatin1(LINKS_TABLE_FAILURE));
        return false;
    }
    if (!CheckStepLink(stepID, processID, true, nullptr))
        return false;
    const long order = down || targetLinks.isEmpty() ? 1 : targetLinks.last().order + 1;
    CStagedTransaction transaction(GetProjectDatabase());
    if (down)
        transaction.Stage(LINKS_TABLE_FAILURE, MB_OK, [=](CDaoDatabase& project) {
            CProcessStepWriter::ShiftProcessOrders(project, targetID, 1);
        });
    transaction.Stage(STEP_ROW_FAILURE, MB_OK, [=](CDaoDatabase& project) {
        CProcessStepWriter::MoveStepLink(project, stepID, processID, targetID, order);
    });
    if (!down)
        transaction.Stage(ORDER_QUERY_FAILURE, MB_OK, [=](CDaoDatabase& project) {
            CProcessStepWriter::ShiftProcessOrders(project, processID, -1);
        });
    if (!transaction.Commit()) {
        RefreshKeepSelection();
        return false;
    }
    finishMove(stepID, targetID);
    return true;
}

void CProcessTree::finishMove(long stepID, long processID)
{
    RebuildAndSelect(ExplorerLevel::Step, stepID, processID, -1);
    BuildAutomationModel();
    SetProjectModified(true);
    if (EngineEntry* engine = GetEngineEntry())
        engine->stepModified(stepID);
    RefreshStepPanes();
}
