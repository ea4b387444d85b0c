#include "planning/PlanRequirementRun.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/PlanRequirementsSet.h"

#include <QSqlQuery>

namespace {

bool IsRequirementKind(const QString& kind, const char* name)
{
    return kind.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

PlanRequirementRequest RequestOfRow(const CDaoRecordset& row)
{
    PlanRequirementRequest request;
    request.RequirementID = row.GetLong("RequirementID");
    request.StepOrProcess = row.GetText("StepOrProcess");
    request.StepOrProcessID = row.GetLong("StepOrProcessID");
    request.Quantity = row.GetDouble("Quantity");
    request.QuantityUOM = row.GetText("QuantityUOM");
    request.FirstBatchOverlap = row.GetBool("FirstBatchOverlap");
    request.BatchOverlap = row.GetBool("IntraCampaignBatchOverlap");
    if (!row.IsFieldNull("EarliestStartTime"))
        request.EarliestStartTime = row.GetDate("EarliestStartTime");
    if (!row.IsFieldNull("BatchTimeInterval"))
        request.BatchTimeInterval = row.GetDouble("BatchTimeInterval");
    request.BatchTimeIntervalUOM = row.GetText("BatchTimeIntervalUOM");
    return request;
}

bool ProjectHasRow(const QString& sql, long id)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        QSqlQuery query = project->Query(sql, {qlonglong(id)});
        return query.next() && query.value(0).toInt() != 0;
    } catch (const CDaoException&) {
        return false;
    }
}

QList<PlanRequirementRequest> RequestsInProject(const QList<PlanRequirementRequest>& requests)
{
    QList<PlanRequirementRequest> inProject;
    for (const PlanRequirementRequest& request : requests) {
        if (IsPlanTargetInProject(request.StepOrProcessID, request.StepOrProcess))
            inProject.append(request);
    }
    return inProject;
}

bool SimulateRequiredBatches(EngineEntry* engine, const QList<PlanRequirementRequest>& requests)
{
    if (!engine)
        return false;
    QList<long> stepIDs;
    if (!CollectPlanSteps(requests, stepIDs))
        return true; // without the steps of a process no batch runs; the plan is still calculated
    for (long stepID : std::as_const(stepIDs)) {
        if (!SimulateRequiredBatch(*engine, stepID))
            return false;
    }
    return true;
}

// Calculation and write; false without writing at 0 batches (after its message). No wait cursor:
// the calculation, the transition rebuilds and the write may each show a message.
bool CalculateAndWrite(long planID, const QList<PlanRequirementRequest>& requests)
{
    PlanCalculationRun run(planID);
    for (const PlanRequirementRequest& request : requests)
        run.Calculate(request);
    if (run.GetTotalBatches() == 0) {
        QvMessageBox(QStringLiteral("The selected plan resulted in 0 batches."));
        return false;
    }
    return run.Write();
}

} // namespace

// "Simulating Batch: " + name + "(" + version + ")", or the bare prefix without a [Step] row.
QString PlanBatchTitleLine(long stepID)
{
    const QString prefix = QStringLiteral("Simulating Batch: ");
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return prefix;
    try {
        QSqlQuery query = step->Query(QStringLiteral("SELECT StepName, StepVersionName FROM Step WHERE StepID = ?"),
                                      {qlonglong(stepID)});
        if (query.next())
            return prefix + query.value(0).toString() + "(" + query.value(1).toString() + ")";
    } catch (const CDaoException&) {
    }
    return prefix;
}

QList<PlanRequirementRequest> ReadPlanRequests(long planID)
{
    QList<PlanRequirementRequest> requests;
    CPlanRequirementsSet rows;
    rows.SetErrorMode(DaoErrorMode::Show);
    if (!rows.OpenSet(planID))
        return requests;
    for (; !rows.IsEOF(); rows.MoveNext())
        requests.append(RequestOfRow(rows));
    rows.CloseSet();
    return requests;
}

bool IsPlanTargetInProject(long id, const QString& kind)
{
    if (IsRequirementKind(kind, "process"))
        return ProjectHasRow(QStringLiteral("SELECT EXISTS (SELECT 1 FROM \"Process-To-Project\" WHERE ProcessID = ?)"), id);
    if (IsRequirementKind(kind, "step"))
        return ProjectHasRow(QStringLiteral("SELECT EXISTS (SELECT 1 FROM QryStepInProject WHERE StepID = ?)"), id);
    return false;
}

bool CollectPlanSteps(const QList<PlanRequirementRequest>& requests, QList<long>& stepIDs)
{
    CDaoDatabase* project = GetProjectDatabase();
    try {
        for (const PlanRequirementRequest& request : requests) {
            if (IsRequirementKind(request.StepOrProcess, "step")) {
                if (!stepIDs.contains(request.StepOrProcessID))
                    stepIDs.append(request.StepOrProcessID);
                continue;
            }
            QSqlQuery steps = project->Query(QStringLiteral("SELECT StepID FROM QryStepToProcessForProcessID "
                                                            "WHERE ProcessID = ? AND StepName <> 'START'"),
                                             {qlonglong(request.StepOrProcessID)});
            while (steps.next())
                stepIDs.append(long(steps.value(0).toLongLong()));
        }
    } catch (const CDaoException&) {
        return false;
    }
    return true;
}

bool RunPlanRequirements(long planID, EngineEntry* engine, bool simulateBatchesFirst)
{
    const QList<PlanRequirementRequest> requests = ReadPlanRequests(planID);
    if (requests.isEmpty()) {
        QvMessageBox(QStringLiteral("There is no data in the selected Plan."));
        return false;
    }
    const QList<PlanRequirementRequest> inProject = RequestsInProject(requests);
    if (simulateBatchesFirst && !SimulateRequiredBatches(engine, inProject))
        return false;
    return CalculateAndWrite(planID, inProject);
}
