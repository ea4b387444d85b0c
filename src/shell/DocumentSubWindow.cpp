#include "shell/DocumentSubWindow.h"

#include "foundation/common/ShortcutMarks.h"

#include <QEvent>
#include <QMdiArea>
#include <QTabBar>

// The area's own handler of a title change runs first (it filters its windows' events) and
// writes Qt's tab text; this one writes ours over it.
void CDocumentSubWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ModifiedChange)
        RetitleTab();
}

// The area keeps its tabs in the order of its window list by creation, moves included.
void CDocumentSubWindow::RetitleTab()
{
    QMdiArea* area = mdiArea();
    auto* tabs = area ? area->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    const int index = area ? int(area->subWindowList(QMdiArea::CreationOrder).indexOf(this)) : -1;
    if (!tabs || index < 0 || index >= tabs->count() || windowTitle().isEmpty())
        return;
    tabs->setTabText(index, EscapeShortcutMarks(windowTitle()));
}
