// The pane's New Process and New Step commands: the process and step dialogs, then the new node
// where the database puts it.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "modules/addnew/AddNewExport.h"
#include "recipe/explorer/ProcessTreeNode.h"
#include "recipe/view/RecipeWindows.h"

#include <QTreeWidget>

namespace {
constexpr int MAX_NODE_LABEL = 255;

QString NodeLabel(const QString& name, const QString& version)
{
    return (name + " (" + version + ")").left(MAX_NODE_LABEL);
}

long CreateNodeID(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}

QTreeWidgetItem* CreateAncestorAt(QTreeWidgetItem* item, int depth)
{
    int itemDepth = 0;
    for (QTreeWidgetItem* up = item; up; up = up->parent())
        ++itemDepth;
    for (; item && itemDepth > depth; --itemDepth)
        item = item->parent();
    return item;
}
} // namespace

bool CProcessTree::OnUpdateNewProcess() const { return IsProjectOpen(); }
bool CProcessTree::OnUpdateNewStep() const { return m_tree->currentItem() != nullptr; }
bool CProcessTree::OnUpdateInformation() const { return m_tree->currentItem() != nullptr; }

void CProcessTree::OnRouteSelection() { DispatchCommand(ID_VIEW_ROUTE_SELECTION); }

void CProcessTree::SetRecipeItemEditors(RecipeItemEditor unitProcedure, RecipeItemEditor operation)
{
    m_editUnitProcedure = std::move(unitProcedure);
    m_editOperation = std::move(operation);
}

bool CProcessTree::GetProcessNameAndVersion(QString& name, QString& version, long processID)
{
    CProcessToProjectSet processes;
    if (!processes.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Process to Project Table to get process info!"));
        return false;
    }
    if (processes.FindFirst([processID](const CDaoRecordset& row) {
            return row.GetLong(QStringLiteral("ProcessID")) == processID;
        })) {
        name = processes.GetText(QStringLiteral("ProcessName"));
        version = processes.GetText(QStringLiteral("ProcessVersionName"));
    }
    return true;
}

void CProcessTree::OnNewProcess()
{
    WaitCursor wait;
    long processID = -1;
    QString name, version;
    const int saved = CAddNewExport().NewOrEditProcess(-1, &processID, &name, &version, GetQuorvantaTempDir());
    CommitPendingProjectChange();
    if (!saved)
        return;
    HTREEITEM node = addNode(nullptr, NodeLabel(name, version), processID, ICON_PROCESS);
    m_tree->addTopLevelItem(node);
    SelectTreeItem(node);
    BuildAutomationModel();
    SetProjectModified(true);
}

// The process the selection is in, with its names; false after the message when they are missing.
bool CProcessTree::processOfSelection(long* processID, QString* name, QString* version)
{
    *processID = CreateNodeID(CreateAncestorAt(m_tree->currentItem(), 1));
    if (!GetProcessNameAndVersion(*name, *version, *processID))
        return false;
    if (name->isEmpty() || version->isEmpty()) {
        QvMessageBox(QStringLiteral("Could not find this process in Process to Project Table!"));
        return false;
    }
    return true;
}

int CProcessTree::newStepMode(bool processSelected, HTREEITEM processItem) const
{
    const CRecipeWindows* windows = CRecipeWindows::Installed();
    const bool insertAfter = !windows || windows->insertAfter();
    if (processSelected)
        return insertAfter && processItem->childCount() > 0 ? STEP_INSERT_LAST : STEP_INSERT_FIRST;
    return insertAfter ? STEP_INSERT_AFTER : STEP_INSERT_BEFORE;
}

void CProcessTree::OnNewStep()
{
    if (!m_tree->currentItem()) {
        QvMessageBox(QStringLiteral("Please create a Process first!"));
        return;
    }
    WaitCursor wait;
    HTREEITEM processItem = CreateAncestorAt(m_tree->currentItem(), 1);
    const bool processSelected = processItem == m_tree->currentItem();
    const long reference = processSelected ? -1 : CreateNodeID(CreateAncestorAt(m_tree->currentItem(), 2));
    long processID = -1, stepID = -1;
    QString processName, processVersion, stepName, stepVersion;
    if (!processOfSelection(&processID, &processName, &processVersion))
        return;
    const int saved = CAddNewExport().NewOrEditStep(processID, processName, processVersion, -1, &stepID, &stepName,
                                                    &stepVersion, GetQuorvantaTempDir(),
                                                    newStepMode(processSelected, processItem), reference);
    CommitPendingProjectChange();
    if (!saved)
        return;
    addNewStepNode(processItem, stepID, NodeLabel(stepName, stepVersion));
    BuildAutomationModel();
    SetProjectModified(true);
}

// The new step's node goes where its StepOrder puts it; a linked step and its one other
// occurrence show the linked icons.
void CProcessTree::addNewStepNode(HTREEITEM processItem, long stepID, const QString& label)
{
    BuildStepLinkCounts();
    const long links = GetStepLinkCount(stepID);
    auto* node = new CProcessTreeNode(label, stepID, links != 0 ? ICON_LINKED_STEP : ICON_STEP);
    processItem->insertChild(stepNodeIndex(processItem, stepID), node);
    if (links == 1) {
        if (HTREEITEM other = FindNextStepOccurrence(stepID, processItem, nullptr))
            SetStepLinkedIcon(other, true);
    }
    FillStepItems(node, CreateNodeID(processItem));
    SelectTreeItem(node);
    processItem->setExpanded(false);
    processItem->setExpanded(true);
    SelectTreeItem(node);
}

// The place of the step's node: after the nodes of the steps before it in step order (last when
// the order cannot be read).
int CProcessTree::stepNodeIndex(HTREEITEM processItem, long stepID) const
{
    CProcessStepSet rows;
    if (!rows.OpenSet(CreateNodeID(processItem)))
        return processItem->childCount();
    QList<long> before;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const long id = rows.GetLong(QStringLiteral("StepID"));
        if (id == stepID)
            break;
        before << id;
    }
    int index = 0;
    for (int i = 0; i < processItem->childCount(); ++i)
        index += before.contains(CreateNodeID(processItem->child(i))) ? 1 : 0;
    return index;
}
