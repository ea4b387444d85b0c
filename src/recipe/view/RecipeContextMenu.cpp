#include "recipe/view/RecipeContextMenu.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/OperationCommands.h"
#include "foundation/common/concerns/CommandTarget.h"

#include <QMap>

namespace {
using CommandRunner = std::function<void(int)>;

void AddCommand(QMenu& menu, const CommandTarget& target, const CommandRunner& run, int id,
                const QString& text)
{
    const QString shown = target.CommandText(id);
    QAction* action = menu.addAction(shown.isEmpty() ? text : shown);
    action->setEnabled(target.IsCommandEnabled(id));
    if (target.IsCommandChecked(id)) {
        action->setCheckable(true);
        action->setChecked(true);
    }
    QObject::connect(action, &QAction::triggered, &menu, [run, id] { run(id); });
}

// The submenu title of one group of the operation catalogue.
QString OperationGroupTitle(const QString& group)
{
    if (group.startsWith(QLatin1String("B ")))
        return QStringLiteral("Insert Batch Operation/Operation ") +
               group.mid(2).replace('-', QStringLiteral(" to "));
    static const QMap<QString, QString> titles{{"C", "Insert Continuous Operation"},
                                               {"Bio", "Insert Biotech Operation"},
                                               {"Ch", "Insert Chromatography Operation"},
                                               {"S", "Insert Secondary Operation"}};
    return titles.value(group);
}

QMenu* SubmenuAt(QMenu& menu, QMap<QString, QMenu*>& made, const QString& path)
{
    if (QMenu* found = made.value(path))
        return found;
    const qsizetype slash = path.lastIndexOf('/');
    QMenu* parent = slash < 0 ? &menu : SubmenuAt(menu, made, path.left(slash));
    QMenu* submenu = parent->addMenu(path.mid(slash + 1));
    made.insert(path, submenu);
    return submenu;
}

void AddOperationMenus(QMenu& menu, const CommandTarget& target, const CommandRunner& run)
{
    QMap<QString, QMenu*> made;
    for (const char* range : {"A-D", "E-L", "M-Q", "R-Z"}) // the alphabetical submenus in order
        SubmenuAt(menu, made, OperationGroupTitle(QStringLiteral("B ") + QLatin1String(range)));
    for (const OperationCommand& command : OperationCommands()) {
        for (const QString& group : QString::fromUtf8(command.groups).split('|')) {
            const QString title = OperationGroupTitle(group.trimmed());
            if (!title.isEmpty())
                AddCommand(*SubmenuAt(menu, made, title), target, run, command.id,
                           QString::fromUtf8(command.menuText));
        }
    }
}
// The line edits. "Del" is only the text of the menu item: the key reaches the view itself, so a
// Delete in any other pane leaves the recipe alone.
void AddEditCommands(QMenu& menu, const CommandTarget& target, const CommandRunner& run)
{
    AddCommand(menu, target, run, ID_EDIT_CUT, QStringLiteral("Cut"));
    AddCommand(menu, target, run, ID_EDIT_COPY, QStringLiteral("Copy"));
    AddCommand(menu, target, run, ID_EDIT_DELETE, QStringLiteral("Delete\tDel"));
    menu.addSeparator();
    AddCommand(menu, target, run, ID_MOVE_UP, QStringLiteral("Move Up"));
    AddCommand(menu, target, run, ID_MOVE_DOWN, QStringLiteral("Move Down"));
    AddCommand(menu, target, run, ID_INDENT_LEFT, QStringLiteral("Move Left\tShift+Tab"));
    AddCommand(menu, target, run, ID_INDENT_RIGHT, QStringLiteral("Move Right\tTab"));
    AddCommand(menu, target, run, ID_TOGGLE_HIDE, QStringLiteral("Toggle Hide"));
    menu.addSeparator();
    AddCommand(menu, target, run, ID_INSERT_START_AFTER, QStringLiteral("Start-After Constraints"));
    AddCommand(menu, target, run, ID_INSERT_DELAY_IN_PARALLEL, QStringLiteral("Parallel-Block Constraints"));
}
} // namespace

void FillRecipeContextMenu(QMenu& menu, const CommandTarget& target, const CommandRunner& run)
{
    AddCommand(menu, target, run, ID_INSERT_UNIT_PROCEDURE, QStringLiteral("Insert Unit Procedure"));
    AddOperationMenus(menu, target, run);
    QMenu* keywords = menu.addMenu(QStringLiteral("Insert Keyword"));
    AddCommand(*keywords, target, run, ID_INSERT_PARALLEL, QStringLiteral("Parallel"));
    AddCommand(*keywords, target, run, ID_INSERT_OR, QStringLiteral("Or"));
    AddCommand(*keywords, target, run, ID_INSERT_SERIES, QStringLiteral("Series"));
    QMenu* favorites = menu.addMenu(QStringLiteral("Favorite Operations"));
    for (const int id : {ID_FAVORITES_1, ID_FAVORITES_2, ID_FAVORITES_3})
        AddCommand(*favorites, target, run, id, QStringLiteral("Favorite Operations"));
    menu.addSeparator();
    AddCommand(menu, target, run, ID_TOGGLE_BREAKPOINT, QStringLiteral("Insert/Remove Break Point"));
    AddCommand(menu, target, run, ID_REMOVE_ALL_BREAKPOINTS, QStringLiteral("Remove All Breakpoints"));
    menu.addSeparator();
    AddEditCommands(menu, target, run);
    menu.addSeparator();
    AddCommand(menu, target, run, ID_FILE_PRINT, QStringLiteral("Print..."));
    AddCommand(menu, target, run, ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Preview"));
}
