// Filling the tree from the project and step databases, and the rebuilds and patches of it.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/StepConnectionUse.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/step/StepOutlineReader.h"
#include "recipe/explorer/ProcessTreeNode.h"

#include <QStringBuilder>
#include <QTreeWidget>

#include <malloc.h>

namespace {
constexpr int MAX_LABEL_LENGTH = 255;

QString nameAndVersion(const CDaoRecordset& set, const char* name, const char* version)
{
    const QString label =
        set.GetText(QString::fromLatin1(name)) + " (" + set.GetText(QString::fromLatin1(version)) + ")";
    return label.left(MAX_LABEL_LENGTH);
}

long nodeIDOf(const QTreeWidgetItem* item)
{
    return long(item->data(0, NODE_ID_ROLE).toLongLong());
}
} // namespace

// The node is made whole before it joins its parent: a node outside the tree signals nothing.
HTREEITEM CProcessTree::addNode(HTREEITEM parent, const QString& label, long id, int icon)
{
    auto* node = new CProcessTreeNode(label, id, icon);
    if (parent)
        parent->addChild(node);
    return node;
}

void CProcessTree::rememberIfWanted(HTREEITEM node, int level, long id, long processID, long stepID)
{
    const Remembered& r = m_remembered;
    if (r.level != level || r.itemID != id)
        return;
    if ((level >= LEVEL_STEP && r.processID != processID) ||
        (level >= LEVEL_UNIT_PROCEDURE && r.stepID != stepID))
        return;
    m_remembered.found = node;
}

bool CProcessTree::FillProcessTree()
{
    if (!GetAppContext())
        return false;
    WaitCursor wait;
    CProjectSet project;
    if (!project.OpenSet()) {
        QvMessageBox(QStringLiteral("Failed to open project table!"));
        return false;
    }
    m_projectID = project.GetRecordCount() > 0 ? project.GetLong(QStringLiteral("ProjectID")) : 1;
    GetAppContext()->setProjectID(m_projectID);
    project.CloseSet();
    BuildStepLinkCounts();
    CProcessToProjectSet processes;
    if (!processes.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Process to Project Table to get process info!"));
        return false;
    }
    bool filled = true;
    for (; filled && !processes.IsEOF(); processes.MoveNext()) {
        filled = fillProcess(processes.GetLong(QStringLiteral("ProcessID")),
                             nameAndVersion(processes, "ProcessName", "ProcessVersionName"));
    }
    m_outlines.EndPass();
    malloc_trim(0); // the pages the steps gave back amid the heap go back to the system
    return filled;
}

// The process's node joins the tree with all its nodes at once.
bool CProcessTree::fillProcess(long processID, const QString& label)
{
    HTREEITEM processItem = addNode(nullptr, label, processID, ICON_PROCESS);
    rememberIfWanted(processItem, LEVEL_PROCESS, processID, -1, -1);
    const bool filled = fillSteps(processItem, processID);
    m_tree->addTopLevelItem(processItem);
    return filled;
}

bool CProcessTree::fillSteps(HTREEITEM processItem, long processID)
{
    CProcessStepSet steps;
    if (!steps.OpenSet(processID)) {
        QvMessageBox(QStringLiteral("Can't open step-to-process table!"), MB_OK | MB_ICONERROR);
        return false;
    }
    long previousStepID = -1;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (stepID == std::exchange(previousStepID, stepID))
            continue;
        const StepOutline* read = readOutline(stepID);
        if (!read)
            continue; // a step whose database does not open is left out
        const StepOutline& outline = *read;
        if (!outline.hasStep) {
            QvMessageBox(QStringLiteral("Step table (ID = %1) is empty!").arg(stepID));
            continue;
        }
        const int icon = GetStepLinkCount(stepID) != 0 ? ICON_LINKED_STEP : ICON_STEP;
        const QString label =
            QString(outline.stepName % QLatin1String(" (") % outline.versionName % QLatin1Char(')'))
                .left(MAX_LABEL_LENGTH);
        HTREEITEM stepItem = addNode(processItem, label, stepID, icon);
        rememberIfWanted(stepItem, LEVEL_STEP, stepID, processID, -1);
        addOutlineNodes(stepItem, processID, outline);
    }
    return true;
}

// Null when the step's database is not open or its read failed (after the engine's message); valid
// until the next read. A step nobody views or edits gives its cached pages back at once: the next
// step's read reuses them instead of the heap growing by a few pages for every step until the fill
// ends.
const StepOutline* CProcessTree::readOutline(long stepID)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database || !database->IsOpen())
        return nullptr;
    try {
        const StepOutline& outline = m_outlines.Read(*database, stepID);
        ReleaseIdleStepMemory(database);
        return &outline;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return nullptr;
    }
}

bool CProcessTree::FillStepItems(HTREEITEM stepItem, long processID)
{
    const StepOutline* outline = readOutline(nodeIDOf(stepItem));
    if (!outline)
        return false;
    addOutlineNodes(stepItem, processID, *outline);
    return true;
}

// Operations before the step's first unit procedure have no node to join and are left out.
void CProcessTree::addOutlineNodes(HTREEITEM stepItem, long processID, const StepOutline& outline)
{
    const long stepID = nodeIDOf(stepItem);
    HTREEITEM unitProcedure = nullptr;
    for (const StepOutlineLine& line : outline.lines) {
        if (line.unitProcedure) {
            unitProcedure = new CProcessTreeNode(line.upNumber, std::nullopt, line.name, line.id, ICON_UNIT_PROCEDURE);
            stepItem->addChild(unitProcedure);
            rememberIfWanted(unitProcedure, LEVEL_UNIT_PROCEDURE, line.id, processID, stepID);
        } else if (unitProcedure) {
            const int icon = line.hidden ? ICON_HIDDEN_OPERATION : ICON_OPERATION;
            auto* operation = new CProcessTreeNode(line.upNumber, line.opNumber, line.name, line.id, icon);
            unitProcedure->addChild(operation);
            rememberIfWanted(operation, LEVEL_OPERATION, line.id, processID, stepID);
        }
    }
}

void CProcessTree::BuildStepLinkCounts()
{
    m_linkStepIDs.clear();
    m_linkCounts.clear();
    CQueryStepInProjectSet rows;
    if (!rows.OpenSet())
        return;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const long stepID = rows.GetLong(QStringLiteral("StepID"));
        if (!m_linkStepIDs.isEmpty() && m_linkStepIDs.last() == stepID) {
            ++m_linkCounts.last();
        } else {
            m_linkStepIDs << stepID;
            m_linkCounts << 0;
        }
    }
}

long CProcessTree::GetStepLinkCount(long stepID) const
{
    const qsizetype at = m_linkStepIDs.indexOf(stepID);
    return at < 0 ? 0 : m_linkCounts.at(at);
}

void CProcessTree::DecrementStepLinkCount(long stepID)
{
    const qsizetype at = m_linkStepIDs.indexOf(stepID);
    if (at >= 0)
        --m_linkCounts[at];
}

void CProcessTree::ClearTree()
{
    m_outlines.Clear();
    m_linkStepIDs.clear();
    m_linkCounts.clear();
    m_tree->clear();
}

void CProcessTree::RefillTree()
{
    m_tree->clear();
    m_remembered.itemID = -1;
    m_remembered.found = nullptr;
    FillProcessTree();
    selectRemembered();
}

void CProcessTree::rebuild()
{
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    m_remembered.found = nullptr;
    FillProcessTree();
    m_tree->setUpdatesEnabled(true);
    selectRemembered();
}

void CProcessTree::selectRemembered()
{
    if (HTREEITEM found = std::exchange(m_remembered.found, nullptr)) {
        m_tree->scrollToItem(found);
        SelectTreeItem(found);
    }
}

void CProcessTree::rememberCaret()
{
    HTREEITEM caret = m_tree->currentItem();
    GetSelectedItemKind();
    m_remembered = Remembered();
    m_remembered.level = m_level;
    m_remembered.itemID = caret ? nodeIDOf(caret) : -1;
    if (m_level == LEVEL_STEP)
        m_remembered.processID = nodeIDOf(caret->parent());
    else if (m_level == LEVEL_UNIT_PROCEDURE)
        std::tie(m_remembered.stepID, m_remembered.processID) =
            std::pair(nodeIDOf(caret->parent()), nodeIDOf(caret->parent()->parent()));
    else if (m_level == LEVEL_OPERATION)
        std::tie(m_remembered.stepID, m_remembered.processID) =
            std::pair(nodeIDOf(caret->parent()->parent()), nodeIDOf(caret->parent()->parent()->parent()));
}

void CProcessTree::RefreshKeepSelection()
{
    rememberCaret();
    rebuild();
}

void CProcessTree::RebuildAndSelect(ExplorerLevel explorerLevel, long itemID, long processID, long stepID)
{
    const int level = int(explorerLevel); // the tree's own levels have the same numbers
    m_remembered = Remembered();
    m_remembered.level = level;
    m_remembered.itemID = itemID;
    m_remembered.processID = level >= LEVEL_STEP ? processID : -1;
    m_remembered.stepID = level >= LEVEL_UNIT_PROCEDURE ? stepID : -1;
    rebuild();
}

void CProcessTree::RefreshStep(long stepID)
{
    SelectionSyncOff hold;
    HTREEITEM occurrence = FindStepItem(stepID);
    if (!occurrence)
        return;
    HTREEITEM firstProcess = occurrence->parent();
    m_tree->setUpdatesEnabled(false);
    for (; occurrence; occurrence = FindNextStepOccurrence(stepID, firstProcess, occurrence->parent())) {
        qDeleteAll(occurrence->takeChildren());
        FillStepItems(occurrence, nodeIDOf(occurrence->parent()));
    }
    m_tree->setUpdatesEnabled(true);
}

void CProcessTree::SetUnitProcedureText(long stepID, long unitProcedureID, const QString& text)
{
    HTREEITEM occurrence = FindStepItem(stepID);
    HTREEITEM firstProcess = occurrence ? occurrence->parent() : nullptr;
    for (; occurrence; occurrence = FindNextStepOccurrence(stepID, firstProcess, occurrence->parent())) {
        HTREEITEM child = FindChildItem(occurrence, unitProcedureID);
        if (!child)
            return;
        child->setText(0, text);
    }
}

void CProcessTree::SetOperationHiddenIcon(long stepID, long operationID, bool hidden)
{
    if (HTREEITEM item = FindOperationItem(stepID, operationID)) {
        const int icon = hidden ? ICON_HIDDEN_OPERATION : ICON_OPERATION;
        item->setData(0, NODE_ICON_ROLE, icon); // the node shows its icon
    }
}

void CProcessTree::SetStepLinkedIcon(HTREEITEM item, bool linked)
{
    const int icon = linked ? ICON_LINKED_STEP : ICON_STEP;
    item->setData(0, NODE_ICON_ROLE, icon); // the node shows its icon
}
