#pragma once
// Whether a plan can be simulated: one of the steps it requires, directly or as a step other than
// START of a required process, has an operation line in its text recipe. The plans' requirements
// are read once; each step's recipe is asked once (one EXISTS on its database) and each process's
// steps are read once for the lifetime of the object, which lasts one fill or one check.

#include <QHash>
#include <QList>
#include <QString>

class PlanSimulatability {
public:
    // Reads the requirements of every plan; a project whose table cannot be read has none.
    PlanSimulatability();

    bool IsSimulatable(long planID);

private:
    struct Requirement {
        bool process = false;
        long id = 0;
    };

    bool StepHasOperation(long stepID);
    bool ProcessHasOperation(long processID);
    QList<long> ProcessSteps(long processID) const;

    QHash<long, QList<Requirement>> m_requirements; // by plan
    QHash<long, bool> m_steps;
    QHash<long, bool> m_processes;
};
