// Filling the tree from the project and step databases, and the rebuilds and patches of it.

#include "recipe/explorer/ProcessTree.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SelectionContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/connection/StepConnectionUse.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/ProjectSet.h"
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

// The fill's reads of the project database run as statements the connection keeps, so a rebuild
// prepares nothing again. Each names only the columns the tree uses.
const StatementKey PROCESS_STEPS_KEY{StatementKind::Select,
                                     QStringLiteral("QryStepInProcessVersion"),
                                     {QStringLiteral("process tree steps")},
                                     {QStringLiteral("ProcessID")},
                                     {}};
constexpr char PROCESS_STEPS_SQL[] =
    "SELECT StepID FROM QryStepInProcessVersion WHERE ProcessID = ? ORDER BY StepOrder, StepID";
// A step's links beyond its first, for every step that has a step database.
const StatementKey LINK_COUNTS_KEY{StatementKind::Select,
                                   QStringLiteral("QryStepInProject"),
                                   {QStringLiteral("process tree link counts")},
                                   {},
                                   {}};
constexpr char LINK_COUNTS_SQL[] = "SELECT StepID, COUNT(*) - 1 FROM QryStepInProject GROUP BY StepID";

// False (after the engine's message, if it failed) when the project database could not be read.
bool readProjectRows(const StatementKey& key, const char* sql, const QVariantList& values,
                     const std::function<void(KeptResult&)>& read)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        project->Connection().execKept(
            key, [sql] { return QString::fromLatin1(sql); }, values, read);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
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
    QList<long> stepIDs;
    const bool listed =
        readProjectRows(PROCESS_STEPS_KEY, PROCESS_STEPS_SQL, {qlonglong(processID)}, [&](KeptResult& rows) {
            while (rows.next())
                stepIDs << long(rows.value(0).toLongLong());
        });
    if (!listed) {
        QvMessageBox(QStringLiteral("Can't open step-to-process table!"), MB_OK | MB_ICONERROR);
        return false;
    }
    long previousStepID = -1;
    for (const long stepID : stepIDs) {
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
    m_linkCounts.clear();
    readProjectRows(LINK_COUNTS_KEY, LINK_COUNTS_SQL, {}, [this](KeptResult& rows) {
        while (rows.next())
            m_linkCounts.insert(long(rows.value(0).toLongLong()), long(rows.value(1).toLongLong()));
    });
}

long CProcessTree::GetStepLinkCount(long stepID) const
{
    return m_linkCounts.value(stepID);
}

void CProcessTree::DecrementStepLinkCount(long stepID)
{
    if (const auto count = m_linkCounts.find(stepID); count != m_linkCounts.end())
        --*count;
}

void CProcessTree::ClearTree()
{
    m_outlines.Clear();
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
