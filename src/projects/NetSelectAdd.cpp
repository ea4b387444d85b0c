// Add of the copy dialog: the other tree's selection into the open project.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "projects/NetSelectDialog.h"
#include "projects/OtherProjectCopy.h"
#include "projects/ProjectTree.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {
long NetSelectItemID(const QTreeWidgetItem* item)
{
    return long(item->data(0, ProjectTreeIdRole).toLongLong());
}
} // namespace

// A root item is a process; an item one to three levels down names the step at depth one.
bool CNetSelectDialog::SelectedProcessOrStep(const QTreeWidget& tree, long& processID, long& stepID)
{
    const int level = GetSelectedTreeLevel(tree);
    if (level == 0 || level == 8)
        return false;
    const QTreeWidgetItem* item = tree.selectedItems().first();
    if (level == 2 || level == 5) {
        processID = NetSelectItemID(item);
        stepID = -1;
        return true;
    }
    while (item->parent()->parent())
        item = item->parent();
    stepID = NetSelectItemID(item);
    processID = NetSelectItemID(item->parent());
    return true;
}

void CNetSelectDialog::OnAdd()
{
    if (m_projectCombo->currentIndex() < 0) {
        QvMessageBox(QStringLiteral("Select an external Tamro Plenthover Project first."));
        return;
    }
    long sourceProcessID = -1, sourceStepID = -1;
    if (!SelectedProcessOrStep(*m_otherTree, sourceProcessID, sourceStepID)) {
        QvMessageBox(QStringLiteral("Please select a step or process from the external project tree."));
        return;
    }
    long targetProcessID = -1, targetStepID = -1;
    const bool hasTarget = SelectedProcessOrStep(*m_currentTree, targetProcessID, targetStepID);
    if (sourceStepID != -1 && hasTarget)
        AddStepToTarget(sourceStepID);
    else
        AddAsNewProcess(sourceProcessID, sourceStepID);
}

// Into the selected process (first, or last when insert-before is off and it has steps), or before
// or after the selected step.
void CNetSelectDialog::AddStepToTarget(long sourceStepID)
{
    long processID = -1, stepID = -1;
    SelectedProcessOrStep(*m_currentTree, processID, stepID);
    int placement = PLACE_AFTER;
    long anchor = stepID;
    if (stepID == -1) {
        const QTreeWidgetItem* process = m_currentTree->selectedItems().first();
        placement = !m_insertBefore && process->childCount() > 0 ? PLACE_LAST : PLACE_FIRST;
    } else if (!m_insertAfter) {
        placement = PLACE_BEFORE;
    }
    if (!CopyOtherStepIntoProcess(m_history.m_selectedProject, sourceStepID, placement, anchor, processID))
        return;
    FillTree(*m_currentTree, QString());
    SetProjectModified(true);
}

void CNetSelectDialog::AddAsNewProcess(long sourceProcessID, long sourceStepID)
{
    if (CopyOtherProcess(m_history.m_selectedProject, sourceProcessID, sourceStepID) == 0)
        return;
    FillTree(*m_currentTree, QString());
    SetProjectModified(true);
}
