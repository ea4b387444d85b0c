#pragma once
// The step transitions of a process, read from the project database: the steps in simulation
// order (each after all its predecessors, ties in transition order, START step left out) and each
// step's predecessors.

#include <QHash>
#include <QList>

class CDaoDatabase;

class CEngineProcessWalk {
public:
    // False when the transitions cannot be read or there are none.
    bool Read(CDaoDatabase& projectDatabase, long processID);
    // False on a cycle.
    bool Order(QList<long>& steps) const;
    QList<long> Predecessors(long stepID) const { return m_predecessors.value(stepID); }

private:
    long m_startStepID = 1;
    QList<long> m_steps; // in order of first appearance
    QHash<long, QList<long>> m_successors;
    QHash<long, QList<long>> m_predecessors;
};
