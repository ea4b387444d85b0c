#include "modules/engine/EngineProcessWalk.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>
#include <QVariant>

bool CEngineProcessWalk::Read(CDaoDatabase& projectDatabase, long processID)
{
    QSqlQuery start = projectDatabase.Query(QStringLiteral("SELECT StepID FROM QrySTARTStep"));
    m_startStepID = start.next() ? long(start.value(0).toLongLong()) : 1;
    QSqlQuery rows = projectDatabase.Query(
        QStringLiteral("SELECT FromStepID, ToStepID FROM QryStepTransitionsInProcessVersion WHERE ProcessID = ?"),
        {qlonglong(processID)});
    while (rows.next()) {
        const long from = long(rows.value(0).toLongLong());
        const long to = long(rows.value(1).toLongLong());
        for (long step : {from, to}) {
            if (step != m_startStepID && !m_steps.contains(step))
                m_steps.append(step);
        }
        if (from != m_startStepID) {
            m_successors[from].append(to);
            m_predecessors[to].append(from);
        }
    }
    return !m_steps.isEmpty();
}

bool CEngineProcessWalk::Order(QList<long>& steps) const
{
    QHash<long, int> waiting;
    for (long step : m_steps)
        waiting.insert(step, int(m_predecessors.value(step).size()));
    steps.clear();
    for (long step : m_steps) {
        if (waiting.value(step) == 0)
            steps.append(step);
    }
    for (qsizetype i = 0; i < steps.size(); ++i) {
        for (long next : m_successors.value(steps.at(i))) {
            if (--waiting[next] == 0)
                steps.append(next);
        }
    }
    return steps.size() == m_steps.size();
}
