#pragma once
// Times a step from its model: one graph over the unit procedures (start and end nodes) and the
// operations, with the constraints as waits and start delays (rules in EngineEntry.h).

#include "modules/engine/EngineSchedule.h"
#include "modules/engine/EngineStepModel.h"
#include "modules/engine/ScheduleGraph.h"

#include <QHash>

class CEngineScheduler {
public:
    explicit CEngineScheduler(const EngineStepModel& model) : m_model(model) {}
    // False when the transitions or constraints form a cycle.
    bool Schedule(EngineSchedule& schedule);
    // After Schedule: for each unit procedure that runs, the one that follows it along the running
    // transitions (the earliest in the recipe); those without one are the last.
    void UnitProcedureOrder(QHash<long, long>& next, QList<long>& last) const;

private:
    void AddUnitProcedures();
    void AddOperations();
    void AddConstraints();
    int OperationNode(long operationID, long owner);
    // Of the "Start Or" transitions that leave one item, the one entering the earliest line.
    QList<bool> EnabledTransitions(const QList<EngineTransition>& transitions,
                                   const QHash<long, struct EngineRecipeLine>& lines) const;
    void Collect(EngineSchedule& schedule) const;
    EngineScheduledOperation Timed(long operationID, int node) const;
    void AddRemarks(const EngineScheduledOperation& operation, EngineSchedule& schedule) const;

    const EngineStepModel& m_model;
    CScheduleGraph m_graph;
    int m_root = -1;
    QHash<long, int> m_unitStart, m_unitEnd, m_operationNode;
    QHash<long, long> m_operationOwner;
    QList<bool> m_unitTransitionEnabled;
};

// An operation's duration in s, and whether it came from its own parameters; a negative one counts as 0.
double OperationDuration(const EngineOperation& operation, bool* given);
// Its volume (l): its parameter, else its type's default; 1e35 without either, 0 for a negative one.
double OperationVolume(const EngineOperation& operation);
// The names of its stored duration, amount and volume values that are negative.
QStringList NegativeOperationFields(const EngineOperation& operation);
