#include "foundation/db/recordsets/StepOrder.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

namespace {
const QString NOT_START = QStringLiteral(
    " AND StepID NOT IN (SELECT StepID FROM ProjectStep WHERE StepName = 'START')");

// The StepOrder of the process's last step other than the one placed; 0 without one.
long LastStepOrder(CDaoDatabase& project, long processID, long stepID)
{
    QSqlQuery query = project.Query(QStringLiteral("SELECT MAX(StepOrder) FROM \"Step-To-Process\" "
                                                   "WHERE ProcessID = ? AND StepID <> ?") + NOT_START,
                                    {qlonglong(processID), qlonglong(stepID)});
    return query.next() ? long(query.value(0).toLongLong()) : 0;
}

// The anchor's StepOrder; -1 when the anchor is not a step of the process.
long AnchorStepOrder(CDaoDatabase& project, long processID, long anchorStepID)
{
    QSqlQuery query = project.Query(QStringLiteral("SELECT StepOrder FROM \"Step-To-Process\" "
                                                   "WHERE ProcessID = ? AND StepID = ?") + NOT_START,
                                    {qlonglong(processID), qlonglong(anchorStepID)});
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

long PlacedStepOrder(CDaoDatabase& project, long processID, long stepID, int placement, long anchorStepID)
{
    if (placement == PLACE_FIRST)
        return 1;
    const bool anchored = placement == PLACE_BEFORE || placement == PLACE_AFTER;
    const long anchor = anchored && anchorStepID != stepID ? AnchorStepOrder(project, processID, anchorStepID) : -1;
    if (anchor < 0)
        return LastStepOrder(project, processID, stepID) + 1;
    return placement == PLACE_BEFORE ? anchor : anchor + 1;
}
} // namespace

long InsertStepOrder(CDaoDatabase& project, long processID, long stepID, int placement, long anchorStepID)
{
    const long order = PlacedStepOrder(project, processID, stepID, placement, anchorStepID);
    project.Execute(QStringLiteral("UPDATE \"Step-To-Process\" SET StepOrder = StepOrder + 1 "
                                   "WHERE ProcessID = ? AND StepID <> ? AND StepOrder >= ?") + NOT_START,
                    {qlonglong(processID), qlonglong(stepID), qlonglong(order)});
    project.Execute(QStringLiteral("UPDATE \"Step-To-Process\" SET StepOrder = ? WHERE ProcessID = ? AND StepID = ?"),
                    {qlonglong(order), qlonglong(processID), qlonglong(stepID)});
    if (project.GetRecordsAffected() == 0)
        project.Execute(QStringLiteral("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) VALUES (?, ?, ?)"),
                        {qlonglong(stepID), qlonglong(processID), qlonglong(order)});
    return order;
}
