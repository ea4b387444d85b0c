// What is selected in the tree, selecting nodes, and the lookups over the nodes.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/MessageBox.h"

#include <QTreeWidget>

namespace {
long nodeID(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}

int depthOf(const QTreeWidgetItem* item)
{
    int depth = 0;
    for (; item; item = item->parent())
        ++depth;
    return depth;
}

// The ancestor of item at that depth (1: its process node).
QTreeWidgetItem* ancestorAt(QTreeWidgetItem* item, int depth)
{
    for (int d = depthOf(item); item && d > depth; --d)
        item = item->parent();
    return item;
}
} // namespace

int CProcessTree::GetSelectedItemKind()
{
    const HTREEITEM caret = m_tree->currentItem();
    const int depth = depthOf(caret);
    const bool children = caret && caret->childCount() > 0;
    static const int withChildren[] = {KIND_NONE, KIND_PROCESS, KIND_STEP, KIND_UNIT_PROCEDURE, KIND_NONE};
    static const int without[] = {KIND_NONE, KIND_EMPTY_PROCESS, KIND_EMPTY_STEP, KIND_EMPTY_UNIT_PROCEDURE,
                                  KIND_OPERATION};
    const int kind = depth > 4 ? KIND_NONE : (children ? withChildren[depth] : without[depth]);
    m_level = kind == KIND_NONE ? LEVEL_NONE : depth + 1;
    return kind;
}

void CProcessTree::GetTreeSelection(ProcessTreeSelection& s)
{
    s.processID = s.stepID = -1;
    s.processLabel.clear();
    s.stepLabel.clear();
    s.processSelected = s.stepSelected = false;
    if (GetSelectedItemKind() == KIND_NONE)
        return;
    HTREEITEM caret = m_tree->currentItem();
    HTREEITEM process = ancestorAt(caret, 1);
    s.processID = nodeID(process);
    s.processLabel = process->text(0);
    s.processSelected = m_level == LEVEL_PROCESS;
    if (m_level == LEVEL_PROCESS)
        return;
    HTREEITEM step = ancestorAt(caret, 2);
    s.stepID = nodeID(step);
    s.stepLabel = step->text(0);
    s.stepSelected = true;
    if (m_level >= LEVEL_UNIT_PROCEDURE)
        s.unitProcedureID = nodeID(ancestorAt(caret, 3));
    if (m_level == LEVEL_OPERATION)
        s.operationID = nodeID(caret);
}

ProcessTreeSelection CProcessTree::GetTreeSelection()
{
    ProcessTreeSelection selection;
    GetTreeSelection(selection);
    return selection;
}

bool CProcessTree::GetSelectedProcessOrStep(int* kind, long* stepID, bool deep)
{
    const int selected = GetSelectedItemKind();
    if (selected == KIND_NONE)
        return false;
    *stepID = -1;
    if (m_level == LEVEL_PROCESS) {
        *kind = deep && selected == KIND_PROCESS ? 2 : 1;
        return true;
    }
    *stepID = nodeID(ancestorAt(m_tree->currentItem(), 2));
    *kind = deep ? 4 : 3;
    return true;
}

void CProcessTree::GetDiagramSelection(long* id, long* itemID, QString& processLabel, bool* isProcess,
                                       int* kind)
{
    *kind = GetSelectedItemKind();
    if (*kind == KIND_NONE) {
        QvMessageBox(QStringLiteral("Nothing selected!"));
        return;
    }
    if (*kind == KIND_EMPTY_PROCESS || *kind == KIND_EMPTY_STEP) {
        QvMessageBox(QStringLiteral("Please create Step Recipe first!"));
        return;
    }
    HTREEITEM caret = m_tree->currentItem();
    processLabel = ancestorAt(caret, 1)->text(0);
    *isProcess = *kind == KIND_PROCESS;
    if (*isProcess) {
        *id = *itemID = nodeID(caret);
        return;
    }
    *id = nodeID(ancestorAt(caret, 2));
    const bool stepLevel = *kind == KIND_STEP || *kind == KIND_EMPTY_UNIT_PROCEDURE;
    *itemID = stepLevel ? *id : nodeID(ancestorAt(caret, 3));
}

void CProcessTree::GetItemText(QString& text, HTREEITEM item) const
{
    item = item ? item : m_tree->currentItem();
    text = item ? item->text(0) : QString();
}

bool CProcessTree::IsHiddenOperationItem(HTREEITEM item) const
{
    item = item ? item : m_tree->currentItem();
    return item && item->data(0, NODE_ICON_ROLE).toInt() == ICON_HIDDEN_OPERATION;
}

void CProcessTree::SelectTreeItem(HTREEITEM item)
{
    m_tree->setCurrentItem(item);
}

void CProcessTree::SelectStep(long stepID)
{
    if (HTREEITEM step = FindStepItem(stepID))
        SelectTreeItem(step);
}

// Another feature selects a node: the tree does not pass the change back to the linked windows.
void CProcessTree::SelectProcessTreeItem(long stepID, long itemID, int itemType)
{
    HTREEITEM node = FindStepItem(stepID);
    if (node && itemType == 1)
        node = FindChildItem(node, itemID);
    else if (node && itemType == 2)
        node = FindOperationItem(stepID, itemID);
    if (!node)
        return;
    const bool echo = std::exchange(m_echoSelection, false);
    m_tree->scrollToItem(node);
    SelectTreeItem(node);
    m_echoSelection = echo;
}

HTREEITEM CProcessTree::FindProcessItem(long processID) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (nodeID(m_tree->topLevelItem(i)) == processID)
            return m_tree->topLevelItem(i);
    }
    return nullptr;
}

HTREEITEM CProcessTree::FindChildItem(HTREEITEM parent, long id) const
{
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (nodeID(parent->child(i)) == id)
            return parent->child(i);
    }
    return nullptr;
}

bool CProcessTree::FindSiblingItem(long id, HTREEITEM first, HTREEITEM* found) const
{
    *found = nullptr;
    if (!first)
        return false;
    QTreeWidgetItem* parent = first->parent();
    const int count = parent ? parent->childCount() : m_tree->topLevelItemCount();
    int at = parent ? parent->indexOfChild(first) : m_tree->indexOfTopLevelItem(first);
    for (; at < count; ++at) {
        HTREEITEM sibling = parent ? parent->child(at) : m_tree->topLevelItem(at);
        if (nodeID(sibling) == id) {
            *found = sibling;
            return true;
        }
    }
    return false;
}

HTREEITEM CProcessTree::FindStepItem(long stepID) const
{
    return FindNextStepOccurrence(stepID, nullptr, nullptr);
}

HTREEITEM CProcessTree::FindNextStepOccurrence(long stepID, HTREEITEM skipProcess,
                                               HTREEITEM afterProcess) const
{
    const int start = afterProcess ? m_tree->indexOfTopLevelItem(afterProcess) + 1 : 0;
    for (int i = start; i < m_tree->topLevelItemCount(); ++i) {
        HTREEITEM process = m_tree->topLevelItem(i);
        if (process == skipProcess)
            continue;
        if (HTREEITEM step = FindChildItem(process, stepID))
            return step;
    }
    return nullptr;
}

long CProcessTree::GetProcessIDOfStep(long stepID) const
{
    HTREEITEM step = FindStepItem(stepID);
    return step ? nodeID(step->parent()) : -1;
}

HTREEITEM CProcessTree::FindOperationItem(long stepID, long operationID) const
{
    HTREEITEM step = FindStepItem(stepID);
    for (int u = 0; step && u < step->childCount(); ++u) {
        if (HTREEITEM operation = FindChildItem(step->child(u), operationID))
            return operation;
    }
    return nullptr;
}

HTREEITEM CProcessTree::FindNextVisibleOperation(long stepID, long* operationID, HTREEITEM after) const
{
    *operationID = -1;
    HTREEITEM step = FindStepItem(stepID);
    bool passed = after == nullptr;
    for (int u = 0; step && u < step->childCount(); ++u) {
        HTREEITEM unitProcedure = step->child(u);
        for (int o = 0; o < unitProcedure->childCount(); ++o) {
            HTREEITEM operation = unitProcedure->child(o);
            if (passed && !IsHiddenOperationItem(operation)) {
                *operationID = nodeID(operation);
                return operation;
            }
            passed = passed || operation == after;
        }
    }
    return nullptr;
}
