// The main frame's menus, toolbar, command-enabling pass and how the dispatcher runs a command
// (MainFrameDispatch.cpp holds the dispatcher itself).

#include "foundation/common/BusyGuard.h"
#include "foundation/common/CommandIds.h"
#include "foundation/common/OperationCommands.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/ShortcutMarks.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/PlanExplorer.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "shell/CommandTable.h"
#include "shell/DisabledEntryTips.h"
#include "shell/FrameCommandRules.h"
#include "shell/MainFrame.h"
#include "simulation/BatchSimulation.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

namespace {
QString shortcutOf(const char* text)
{
    const QString full = QString::fromUtf8(text);
    const qsizetype tab = full.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : full.mid(tab + 1);
}

// Keys the focused window handles itself: the menu item shows them but binds no window-wide
// shortcut, so a Delete in the Process Explorer never reaches the recipe.
bool isFocusKey(const QString& key)
{
    return key == QLatin1String("Del");
}

QString labelOf(const char* text)
{
    const QString full = QString::fromUtf8(text);
    return isFocusKey(shortcutOf(text)) ? full : full.section(QLatin1Char('\t'), 0, 0);
}

const char* const kBatchSubmenus[] = {"A-D", "E-L", "M-Q", "R-Z"};

QStringList operationMenuPaths(const QString& parent, const QString& groups)
{
    QStringList paths;
    for (const QString& raw : groups.split(QLatin1Char('|'))) {
        const QString group = raw.trimmed();
        if (group.startsWith(QLatin1String("B ")))
            paths << parent + "/Insert &Batch Operation/Operation " + group.mid(2).replace('-', " to ");
        else if (group == QLatin1String("C"))
            paths << parent + "/Insert &Continuous Operation";
        else if (group == QLatin1String("Bio"))
            paths << parent + "/Insert B&iotech Operation";
        else if (group == QLatin1String("Ch"))
            paths << parent + "/Insert C&hromatography Operation";
        else if (group == QLatin1String("S"))
            paths << parent + "/Insert S&econdary Operation";
    }
    return paths;
}
} // namespace

QMenu* CMainFrame::menuFor(const QString& path)
{
    if (QMenu* existing = m_menus.value(path))
        return existing;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QMenu* created = nullptr;
    if (slash < 0)
        created = menuBar()->addMenu(path);
    else
        created = menuFor(path.left(slash))->addMenu(path.mid(slash + 1));
    connect(created, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    m_disabledEntryTips->Watch(created);
    m_menus.insert(path, created);
    return created;
}

void CMainFrame::createMenus()
{
    for (const CommandInfo& info : CommandTable()) {
        if (info.id == INSERT_OPERATION_MENUS)
            addOperationMenus(QString::fromUtf8(info.menuPath));
        else if (info.id == RECENT_FILE_ENTRIES)
            addRecentFileEntries(QString::fromUtf8(info.menuPath));
        else if (info.id == RECENT_CUSTOM_REPORT_ENTRIES)
            fillRecentCustomReports(menuFor(QString::fromUtf8(info.menuPath)));
        else if (info.id == ID_SEPARATOR)
            menuFor(QString::fromUtf8(info.menuPath))->addSeparator();
        else
            addCommand(info);
    }
    QMenu* view = menuFor(QStringLiteral("&View"));
    view->addSeparator();
    for (QDockWidget* dock : m_panes)
        view->addAction(dock->toggleViewAction());
}

void CMainFrame::addCommand(const CommandInfo& info)
{
    auto* action = new QAction(labelOf(info.text), this);
    action->setData(info.id);
    action->setStatusTip(QString::fromUtf8(info.prompt));
    if (const QString key = shortcutOf(info.text); !isFocusKey(key))
        action->setShortcut(QKeySequence(key));
    action->setCheckable(info.checkable);
    connect(action, &QAction::triggered, this, [this, id = info.id] { ExecuteCommand(id); });
    menuFor(QString::fromUtf8(info.menuPath))->addAction(action);
    m_actions.insert(info.id, action);
    if (info.htmlView) {
        action->setVisible(false);
        m_htmlViewActions << action;
    }
}

void CMainFrame::addOperationMenus(const QString& parentPath)
{
    for (const char* range : kBatchSubmenus) // keeps the alphabetical submenus in order
        menuFor(parentPath + "/Insert &Batch Operation/Operation " +
                QString::fromLatin1(range).replace('-', " to "));
    for (const OperationCommand& op : OperationCommands()) {
        auto* action = new QAction(QString::fromUtf8(op.menuText), this);
        action->setData(op.id);
        action->setStatusTip(QString::fromUtf8(op.prompt));
        action->setToolTip(QString::fromUtf8(op.tooltip));
        connect(action, &QAction::triggered, this, [this, id = op.id] { ExecuteCommand(id); });
        for (const QString& path : operationMenuPaths(parentPath, QString::fromUtf8(op.groups)))
            menuFor(path)->addAction(action);
        m_actions.insert(op.id, action);
    }
}

void CMainFrame::addRecentFileEntries(const QString& menuPath)
{
    QMenu* file = menuFor(menuPath);
    for (int id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        auto* action = new QAction(this);
        action->setData(id);
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        file->addAction(action);
        m_actions.insert(id, action);
        m_recentFileActions << action;
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("StandardToolBar"));
    for (const CommandInfo& info : CommandTable()) {
        if (info.onToolbar)
            m_toolBar->addAction(m_actions.value(info.id));
    }
    m_htmlViewToolBar = addToolBar(QStringLiteral("Web"));
    m_htmlViewToolBar->setObjectName(QStringLiteral("HtmlViewToolBar360"));
    for (const int id : {ID_HTML_GO_BACK, ID_HTML_GO_FORWARD, ID_HTML_GO_REFRESH, ID_HTML_GO_STOP, ID_HTML_GO_HOME})
        m_htmlViewToolBar->addAction(m_actions.value(id));
    ShowHtmlViewCommands(false);
}

void CMainFrame::ShowHtmlViewCommands(bool show)
{
    for (QAction* action : std::as_const(m_htmlViewActions))
        action->setVisible(show);
    if (QMenu* go = m_menus.value(QStringLiteral("&Go")))
        go->menuAction()->setVisible(show);
    m_htmlViewToolBar->setVisible(show);
}

void CMainFrame::SetRecentCustomReports(std::function<QStringList()> list, std::function<void(const QString&)> rerun)
{
    m_recentCustomReports = std::move(list);
    m_rerunCustomReport = std::move(rerun);
}

// Rebuilt whenever the menu opens: one entry per listed definition, disabled without a project.
void CMainFrame::fillRecentCustomReports(QMenu* menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        menu->clear();
        const QStringList paths = m_recentCustomReports ? m_recentCustomReports() : QStringList();
        int number = 0;
        for (const QString& path : paths) {
            if (path.isEmpty())
                continue;
            QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(
                EscapeShortcutMarks(QDir::toNativeSeparators(path))));
            entry->setEnabled(IsProjectOpen() && !IsBusy());
            connect(entry, &QAction::triggered, this, [this, path] {
                if (m_rerunCustomReport)
                    m_rerunCustomReport(path);
            });
        }
        if (number == 0)
            menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
    });
}

void CMainFrame::SetRecentFiles(const QStringList& paths)
{
    m_recentFiles = paths;
    for (int i = 0; i < m_recentFileActions.size(); ++i) {
        const QString path = paths.value(i);
        QAction* action = m_recentFileActions.at(i);
        action->setText(
            QStringLiteral("&%1 %2").arg(i + 1).arg(EscapeShortcutMarks(QDir::toNativeSeparators(path))));
        action->setVisible(!path.isEmpty());
    }
}

void CMainFrame::installFrameHandlers()
{
    m_insertGroup = new QActionGroup(this);
    m_insertGroup->addAction(m_actions.value(ID_INSERT_AFTER));
    m_insertGroup->addAction(m_actions.value(ID_INSERT_BEFORE));
    m_actions.value(ID_INSERT_AFTER)->setChecked(true);
    SetCommandHandler(ID_INSERT_AFTER, [this] { SetInsertMode(true); });
    SetCommandHandler(ID_INSERT_BEFORE, [this] { SetInsertMode(false); });
    SetCommandHandler(ID_APP_EXIT, [this] { close(); });
    SetCommandHandler(ID_VIEW_ROUTE_SELECTION, [this] { // the least: the pane is shown
        m_panes[int(PaneID::RouteSelection)]->show();
        m_panes[int(PaneID::RouteSelection)]->raise();
    });
    for (int id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        SetCommandHandler(id, [this, id] {
            const QString path = m_recentFiles.value(id - ID_FILE_MRU_FIRST);
            ProjectControl* control = ServiceSlot<ProjectControl>::Get();
            if (!path.isEmpty() && control)
                control->OpenProjectByPath(path);
        });
    }
}

void CMainFrame::SetInsertMode(bool insertAfter)
{
    m_bInsertAfter = insertAfter;
    m_bInsertBefore = !insertAfter;
    m_actions.value(ID_INSERT_AFTER)->setChecked(m_bInsertAfter);
    m_actions.value(ID_INSERT_BEFORE)->setChecked(m_bInsertBefore);
    if (RecipeViewServices* views = ServiceSlot<RecipeViewServices>::Get())
        views->ApplyInsertMode(m_bInsertAfter, m_bInsertBefore);
}

void CMainFrame::SetCommandHandler(int commandID, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(commandID, std::move(handler));
    else
        m_handlers.remove(commandID);
    if (QAction* action = m_actions.value(commandID)) // a handler installed late shows at once
        updateAction(commandID, action, activeTarget(), CommandStateSnapshot());
}

CommandTarget* CMainFrame::activeTarget() const
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (auto* target = dynamic_cast<CommandTarget*>(w))
            return target;
    }
    QMdiSubWindow* sub = m_mdiArea->activeSubWindow();
    return sub ? dynamic_cast<CommandTarget*>(sub->widget()) : nullptr;
}

const ContextRecord& CMainFrame::RefreshContext()
{
    return m_context;
}

void CMainFrame::ReportActive(CommandTarget* source, const ContextRecord& selection)
{
    m_activeSource = source;
    m_context = selection;
    UpdateCommandStates();
}

void CMainFrame::ReportSelection(CommandTarget* source, const ContextRecord& selection)
{
    if (m_activeSource && source != m_activeSource)
        return;
    m_context = selection;
    UpdateCommandStates();
}

void CMainFrame::ForgetSource(CommandTarget* source)
{
    if (source != m_activeSource)
        return;
    m_activeSource = nullptr;
    m_context = ContextRecord();
    UpdateCommandStates();
}

// What the frame's rules read, asked once for a whole pass over the actions.
FrameCommandState CMainFrame::CommandStateSnapshot() const
{
    FrameCommandState state;
    state.context = m_context;
    state.projectOpen = IsProjectOpen();
    state.hasEngine = m_bHasEngine;
    state.resultFilesExist = state.projectOpen && ResultFilesExist(m_context); // none without a project
    state.projectIsTemplate = state.projectOpen && GetAppContext() && GetAppContext()->fileSet().isTemplate;
    state.stepPaused = m_bHasEngine && CBatchSimulation::IsStepPaused(m_context.stepID);
    state.planSimulatable = state.projectOpen && m_context.planID != -1 &&
                            PlanExplorer::IsPlanSimulatable(m_context.planID);
    state.planSequenceFile =
        state.planSimulatable &&
        QFileInfo::exists(UserSimSequenceFilePath(GetWorkingCopyDir(), m_context.planName, m_context.planID));
    return state;
}

bool CMainFrame::frameRuleAllows(int commandID, const FrameCommandState& state) const
{
    return m_handlers.contains(commandID) && FrameCommandEnabled(commandID, state);
}

bool CMainFrame::IsCommandEnabled(int commandID)
{
    CommandTarget* target = activeTarget();
    if (target && target->HandlesCommand(commandID))
        return target->IsCommandEnabled(commandID);
    return frameRuleAllows(commandID, CommandStateSnapshot());
}

void CMainFrame::updateAction(int commandID, QAction* action, CommandTarget* target,
                              const FrameCommandState& state)
{
    if (target && target->HandlesCommand(commandID)) {
        action->setEnabled(target->IsCommandEnabled(commandID));
        if (const QString text = target->CommandText(commandID); !text.isEmpty())
            action->setText(text);
        if (action->isCheckable() && !action->actionGroup())
            action->setChecked(target->IsCommandChecked(commandID));
        return;
    }
    action->setEnabled(frameRuleAllows(commandID, state));
}

void CMainFrame::UpdateCommandStates()
{
    RefreshContext();
    const FrameCommandState state = CommandStateSnapshot();
    CommandTarget* target = activeTarget();
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it)
        updateAction(it.key(), it.value(), target, state);
}

void CMainFrame::ExecuteCommand(int commandID)
{
    DispatchCommand(CommandRequest{commandID, nullptr, QVariant()});
}

// The sender (else the active pane or view) when it handles the command, else the frame's handler.
bool CMainFrame::runCommand(const CommandRequest& request)
{
    const int commandID = request.commandID;
    CommandTarget* target = request.target ? request.target : activeTarget();
    if (target && target->HandlesCommand(commandID)) {
        if (!target->IsCommandEnabled(commandID))
            return false;
        auto* object = dynamic_cast<QObject*>(target);
        const QPointer<QObject> alive(object); // the command may close its own window
        target->OnCommandAt(commandID, request.hitItem);
        if (!object || alive)
            target->RefreshCommandStates();
        return true;
    }
    const auto handler = m_handlers.value(commandID);
    if (!handler || !FrameCommandEnabled(commandID, CommandStateSnapshot()))
        return false;
    handler();
    return true;
}
