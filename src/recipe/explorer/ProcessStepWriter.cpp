#include "recipe/explorer/ProcessStepWriter.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"

namespace {
const QString STEP_LINKS = QStringLiteral("Step-To-Process");

// The links a renumbering leaves alone.
#define NOT_A_START_LINK " AND StepID NOT IN (SELECT StepID FROM ProjectStep WHERE StepName = 'START')"

void RunLinkStatement(CDaoDatabase& project, const QString& table, const char* sql, const QVariantList& values)
{
    ExecKept(project, table, QString::fromLatin1(sql), values);
}
} // namespace

void CProcessStepWriter::DeleteProcessLink(CDaoDatabase& project, long processID)
{
    RunLinkStatement(project, QStringLiteral("Process-To-Project"),
                     "DELETE FROM \"Process-To-Project\" WHERE ProcessID = ?", {qlonglong(processID)});
}

void CProcessStepWriter::DeleteProcessRow(CDaoDatabase& project, long processID)
{
    RunLinkStatement(project, QStringLiteral("Process"), "DELETE FROM Process WHERE ProcessID = ?",
                     {qlonglong(processID)});
}

void CProcessStepWriter::DeleteStepsOnlyIn(CDaoDatabase& project, long processID)
{
    RunLinkStatement(project, QStringLiteral("ProjectStep"),
                     "DELETE FROM ProjectStep WHERE StepName <> 'START'"
                     " AND StepID IN (SELECT StepID FROM \"Step-To-Process\" WHERE ProcessID = ?1)"
                     " AND StepID NOT IN (SELECT StepID FROM \"Step-To-Process\" WHERE ProcessID <> ?1)",
                     {qlonglong(processID)});
}

void CProcessStepWriter::DeleteStepLinks(CDaoDatabase& project, long processID)
{
    RunLinkStatement(project, STEP_LINKS, "DELETE FROM \"Step-To-Process\" WHERE ProcessID = ?",
                     {qlonglong(processID)});
}

void CProcessStepWriter::DeleteStepUnlessLinked(CDaoDatabase& project, long stepID, long processID)
{
    RunLinkStatement(project, QStringLiteral("ProjectStep"),
                     "DELETE FROM ProjectStep WHERE StepID = ?1 AND StepName <> 'START'"
                     " AND NOT EXISTS (SELECT 1 FROM \"Step-To-Process\" WHERE StepID = ?1 AND ProcessID <> ?2)",
                     {qlonglong(stepID), qlonglong(processID)});
}

// The links after the removed one in the order the process lists them: by StepOrder, then StepID.
void CProcessStepWriter::RemoveStepLink(CDaoDatabase& project, long processID, long stepID, long stepOrder)
{
    RunLinkStatement(project, STEP_LINKS, "DELETE FROM \"Step-To-Process\" WHERE ProcessID = ? AND StepID = ?",
                     {qlonglong(processID), qlonglong(stepID)});
    RunLinkStatement(project, STEP_LINKS,
                     "UPDATE \"Step-To-Process\" SET StepOrder = StepOrder - 1"
                     " WHERE ProcessID = ?1 AND (StepOrder, StepID) > (?2, ?3)" NOT_A_START_LINK,
                     {qlonglong(processID), qlonglong(stepOrder), qlonglong(stepID)});
}

void CProcessStepWriter::ShiftStepOrder(CDaoDatabase& project, long processID, long stepID, long delta)
{
    RunLinkStatement(project, STEP_LINKS,
                     "UPDATE \"Step-To-Process\" SET StepOrder = StepOrder + ?3"
                     " WHERE ProcessID = ?1 AND StepID = ?2" NOT_A_START_LINK,
                     {qlonglong(processID), qlonglong(stepID), qlonglong(delta)});
}

void CProcessStepWriter::ShiftProcessOrders(CDaoDatabase& project, long processID, long delta)
{
    RunLinkStatement(project, STEP_LINKS,
                     "UPDATE \"Step-To-Process\" SET StepOrder = StepOrder + ?2 WHERE ProcessID = ?1" NOT_A_START_LINK,
                     {qlonglong(processID), qlonglong(delta)});
}

void CProcessStepWriter::MoveStepLink(CDaoDatabase& project, long stepID, long fromProcessID, long toProcessID,
                                      long stepOrder)
{
    RunLinkStatement(project, STEP_LINKS,
                     "UPDATE \"Step-To-Process\" SET ProcessID = ?3, StepOrder = ?4"
                     " WHERE ProcessID = ?1 AND StepID = ?2" NOT_A_START_LINK,
                     {qlonglong(fromProcessID), qlonglong(stepID), qlonglong(toProcessID), qlonglong(stepOrder)});
}
