#include "results/ScheduleWindowPositions.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "results/RunReport.h"
#include "results/ScheduleWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlQuery>

namespace {
enum ShowState { SHOW_NORMAL = 0, SHOW_MINIMIZED = 1, SHOW_MAXIMIZED = 2 };

struct SavedPlacement {
    long key = -1;
    QRect geometry;
    int showState = SHOW_NORMAL;
};

QWidget* FrameOf(QWidget* window)
{
    return window->parentWidget() ? window->parentWidget() : window;
}

// The area whose tab the window is; null for a window of its own or in a windowed area.
const QMdiArea* TabbedAreaOf(const QWidget* frame)
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(frame);
    const QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    return area && area->viewMode() == QMdiArea::TabbedView ? area : nullptr;
}

// A tab fills the document area, whichever tab is current; Qt keeps only the current one
// maximized, so the others' own placement is no placement of theirs.
int ShowStateOf(const QWidget* frame)
{
    if (TabbedAreaOf(frame))
        return SHOW_MAXIMIZED;
    return frame->isMinimized() ? SHOW_MINIMIZED : frame->isMaximized() ? SHOW_MAXIMIZED : SHOW_NORMAL;
}

QRect GeometryOf(const QWidget* frame)
{
    const QMdiArea* area = TabbedAreaOf(frame);
    return area ? area->viewport()->rect() : frame->geometry();
}

QList<SavedPlacement> SavedPlacements(CDaoDatabase& project)
{
    QList<SavedPlacement> placements;
    QSqlQuery rows =
        project.Query(QStringLiteral("SELECT ItemID, PositionLeft, PositionTop, PositionWidth,"
                                     " PositionHeight, ShowState FROM WindowsPosition WHERE Type = ?"
                                     " ORDER BY RowKey"),
                      {QString::fromLatin1(SCHEDULE_POSITION_TYPE)});
    while (rows.next()) {
        placements.append({long(rows.value(0).toLongLong()),
                           QRect(rows.value(1).toInt(), rows.value(2).toInt(), rows.value(3).toInt(),
                                 rows.value(4).toInt()),
                           rows.value(5).toInt()});
    }
    return placements;
}

// A tab comes back as a whole tab, whatever an older save kept of it; a window of its own where
// and as it was.
void Place(QWidget* window, const SavedPlacement& placement)
{
    QWidget* frame = FrameOf(window);
    if (TabbedAreaOf(frame)) {
        frame->showMaximized();
        return;
    }
    if (placement.geometry.width() > 0 && placement.geometry.height() > 0)
        frame->setGeometry(placement.geometry);
    if (placement.showState == SHOW_MAXIMIZED)
        frame->showMaximized();
    else if (placement.showState == SHOW_MINIMIZED)
        frame->showMinimized();
}
} // namespace

void CScheduleWindowPositions::SaveWindowPositions()
{
    CDaoDatabase* project = GetProjectDatabase();
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!project || !project->IsOpen() || !host)
        return;
    try {
        project->BeginTrans();
        project->Execute(QStringLiteral("DELETE FROM WindowsPosition WHERE Type = ?"),
                         {QString::fromLatin1(SCHEDULE_POSITION_TYPE)});
        for (const HostedDocument& document : host->ListDocuments(DocumentKind::Gantt)) {
            if (!dynamic_cast<CScheduleWindow*>(document.window))
                continue;
            const QWidget* frame = FrameOf(document.window);
            const QRect r = GeometryOf(frame);
            project->Execute(
                QStringLiteral("INSERT INTO WindowsPosition (Type, ItemID, PositionLeft, PositionTop,"
                               " PositionWidth, PositionHeight, ShowState) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {QString::fromLatin1(SCHEDULE_POSITION_TYPE), qlonglong(document.id), r.x(), r.y(), r.width(),
                 r.height(), ShowStateOf(frame)});
        }
        project->CommitTrans();
    } catch (const CDaoException&) {
        if (project->InTransaction())
            project->Rollback(); // the save goes on; the windows are simply not reopened
    }
}

void CScheduleWindowPositions::ReopenResultWindows()
{
    CDaoDatabase* project = GetProjectDatabase();
    DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!project || !project->IsOpen() || !host)
        return;
    QList<SavedPlacement> placements;
    try {
        placements = SavedPlacements(*project);
    } catch (const CDaoException&) {
        return;
    }
    for (const SavedPlacement& placement : placements) {
        const ScheduleTarget target = ScheduleTargetOfKey(placement.key);
        QString failure; // results gone since the save: the window is not reopened, silently
        if (CScheduleWindow* window = OpenScheduleWindow(host, target, &failure))
            Place(window, placement);
    }
}
