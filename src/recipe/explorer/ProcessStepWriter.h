#pragma once
// The project rows that deleting processes and step links and moving steps write: each change is
// one set-based statement kept prepared by the project database's connection, whatever the number
// of rows it renumbers. A START row of a process is never deleted, moved or renumbered. The calls
// run inside the caller's transaction and raise CDaoException on an error.

class CDaoDatabase;

class CProcessStepWriter {
public:
    // The process's [Process-To-Project] row; its [Process] row.
    static void DeleteProcessLink(CDaoDatabase& project, long processID);
    static void DeleteProcessRow(CDaoDatabase& project, long processID);
    // The [ProjectStep] rows of the process's steps that no other process holds.
    static void DeleteStepsOnlyIn(CDaoDatabase& project, long processID);
    // Every step link of the process.
    static void DeleteStepLinks(CDaoDatabase& project, long processID);

    // The [ProjectStep] row of the step unless another process than this one holds it.
    static void DeleteStepUnlessLinked(CDaoDatabase& project, long stepID, long processID);
    // The step's link to the process; the links after it in step order move up one place.
    static void RemoveStepLink(CDaoDatabase& project, long processID, long stepID, long stepOrder);

    // Adds delta to the StepOrder of the step's link to the process.
    static void ShiftStepOrder(CDaoDatabase& project, long processID, long stepID, long delta);
    // Adds delta to the StepOrder of every link of the process.
    static void ShiftProcessOrders(CDaoDatabase& project, long processID, long delta);
    // The step's link moves from one process to another at that StepOrder.
    static void MoveStepLink(CDaoDatabase& project, long stepID, long fromProcessID, long toProcessID,
                             long stepOrder);
};
