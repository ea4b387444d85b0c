#include "planning/PlanSimulatability.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

PlanSimulatability::PlanSimulatability()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return;
    try {
        QSqlQuery query = project->Query(QStringLiteral(
            "SELECT PlanID, StepOrProcess, StepOrProcessID FROM PlanRequirements ORDER BY RequirementID"));
        while (query.next()) {
            const bool process = query.value(1).toString().compare(QLatin1String("process"), Qt::CaseInsensitive) == 0;
            m_requirements[long(query.value(0).toLongLong())].append({process, long(query.value(2).toLongLong())});
        }
    } catch (const CDaoException&) {
        m_requirements.clear();
    }
}

bool PlanSimulatability::IsSimulatable(long planID)
{
    for (const Requirement& requirement : m_requirements.value(planID)) {
        if (requirement.process ? ProcessHasOperation(requirement.id) : StepHasOperation(requirement.id))
            return true;
    }
    return false;
}

bool PlanSimulatability::ProcessHasOperation(long processID)
{
    const auto known = m_processes.constFind(processID);
    if (known != m_processes.cend())
        return *known;
    bool found = false;
    for (long stepID : ProcessSteps(processID)) {
        if ((found = StepHasOperation(stepID)))
            break;
    }
    m_processes.insert(processID, found);
    return found;
}

QList<long> PlanSimulatability::ProcessSteps(long processID) const
{
    QList<long> steps;
    CDaoDatabase* project = GetProjectDatabase();
    try {
        QSqlQuery query = project->Query(QStringLiteral("SELECT StepID FROM QryStepToProcessForProcessID "
                                                        "WHERE ProcessID = ? AND lower(StepName) <> 'start'"),
                                         {qlonglong(processID)});
        while (query.next())
            steps.append(long(query.value(0).toLongLong()));
    } catch (const CDaoException&) {
        steps.clear();
    }
    return steps;
}

bool PlanSimulatability::StepHasOperation(long stepID)
{
    const auto known = m_steps.constFind(stepID);
    if (known != m_steps.cend())
        return *known;
    bool found = false;
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (step && step->IsOpen()) {
        static const StatementKey key{StatementKind::Select, QStringLiteral("TextRecipe"),
                                      {QStringLiteral("Type")}, {QStringLiteral("StepID")}, {}};
        try {
            step->Connection().execKept(
                key,
                [] {
                    return QStringLiteral("SELECT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ? "
                                          "AND Type = 'Operation')");
                },
                {qlonglong(stepID)}, [&found](KeptResult& result) { found = result.next() && result.value(0).toInt(); });
        } catch (const CDaoException&) {
            found = false;
        }
    }
    m_steps.insert(stepID, found);
    return found;
}
