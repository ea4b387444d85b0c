// Runs of EngineEntry: batch runs, stepping and the process run.

#include "modules/engine/EngineEntry.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/engine/EngineProcessWalk.h"
#include "modules/engine/EngineResultsWriter.h"
#include "modules/engine/EngineRun.h"
#include "modules/engine/EngineScaleRecords.h"
#include "modules/engine/EngineStepBatchSize.h"
#include "modules/engine/EngineStepSchedule.h"

namespace {

long LineSequence(const EngineStepModel& model, long lineID)
{
    if (model.operationLines.contains(lineID))
        return model.operationLines.value(lineID).sequence;
    return model.unitProcedureLines.value(lineID).sequence;
}

// Reads and schedules the step (only the lines fromID..toID run when ranged); null when it cannot run.
std::unique_ptr<CEngineRun> PrepareRun(long stepID, const EngineRunOptions& options, bool ranged = false,
                                       long fromID = 0, long toID = 0)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database)
        return {};
    try {
        const EngineStepModel model = CEngineStepReader(*database).Read(stepID);
        EngineSchedule schedule;
        if (!ScheduleEngineStep(
                model, ReadEngineBalanceSettings(options.overFlow != 0, options.underFlow != 0), schedule))
            return {};
        auto run = std::make_unique<CEngineRun>(std::move(schedule), model.TransitionFingerprint());
        const long from = ranged ? LineSequence(model, fromID) : 0;
        const long to = ranged ? LineSequence(model, toID) : 0;
        if (ranged && (from == 0 || to == 0 || !run->SetRange(from, to)))
            return {};
        return run;
    } catch (const CDaoException&) {
        return {};
    }
}

bool StepTransitionsChanged(long stepID, const QString& fingerprint)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    try {
        return !database || CEngineStepReader(*database).ReadTransitionFingerprint(stepID) != fingerprint;
    } catch (const CDaoException&) {
        return true;
    }
}

QString StepResultsPath(long stepID)
{
    return ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID));
}

// A completed run's results answer the size queries again, not the sizes of the last scaling.
bool WriteStepRun(const CEngineRun& run, long stepID)
{
    const bool written = WriteEngineResults(StepResultsPath(stepID), run.Schedule().Summary(run.ResultCount()),
                                            {{&run.Schedule(), run.ResultCount(), 0}});
    if (written)
        ClearPendingScaleSizes(stepID);
    return written;
}

double ScheduleEnd(const EngineSchedule& schedule)
{
    double end = 0;
    for (const EngineScheduledOperation& operation : schedule.operations)
        end = std::max(end, operation.end);
    return end;
}

} // namespace

bool EngineModuleReady()
{
    return !CSchemaBuilder::SchemaText(DatabaseKind::Results).isEmpty() &&
           !CSchemaBuilder::SeedText(DatabaseKind::Results).isEmpty();
}

EngineEntry::EngineEntry() = default;
EngineEntry::~EngineEntry() = default;

void EngineEntry::setRunOptions(int airEmission, int resultsDatabase, int overFlow, int underFlow)
{
    m_options.airEmission = airEmission;
    m_options.resultsDatabase = resultsDatabase;
    m_options.overFlow = overFlow;
    m_options.underFlow = underFlow;
}

void EngineEntry::resetSimulation(long stepID, const QString& mode)
{
    if (mode.compare(QLatin1String("SimulateOnly"), Qt::CaseInsensitive) == 0 && m_pausedRuns.count(stepID))
        m_staleSteps.insert(stepID, true);
    else
        DropPause(stepID);
}

int EngineEntry::simulateBatch(ISimStatus* status, long stepID)
{
    CBusyScope busy;
    DropPause(stepID);
    return Drive(status, stepID, PrepareRun(stepID, m_options), EngineAdvance::ToBreakpoint);
}

int EngineEntry::simulateBatch(ISimStatus* status, long stepID, long fromID, long toID)
{
    CBusyScope busy;
    DropPause(stepID);
    return Drive(status, stepID, PrepareRun(stepID, m_options, true, fromID, toID),
                 EngineAdvance::ToBreakpoint);
}

int EngineEntry::simulateBatch(ISimStatus* status, long stepID, const QString& mode)
{
    CBusyScope busy;
    DropPause(stepID);
    if (mode.compare(QLatin1String("Process"), Qt::CaseInsensitive) != 0)
        return SIMULATION_FAILED;
    return Drive(status, stepID, PrepareRun(stepID, m_options), EngineAdvance::WithoutBreakpoints);
}

int EngineEntry::continueBatch(ISimStatus* status, long stepID)
{
    CBusyScope busy;
    return Resume(status, stepID, EngineAdvance::ToBreakpoint);
}

int EngineEntry::simulateNextOperation(ISimStatus* status, long stepID)
{
    CBusyScope busy;
    return Resume(status, stepID, EngineAdvance::OneOperation);
}

long EngineEntry::getSimulationStoppedRecipeSequenceNumber(long stepID)
{
    const auto found = m_pausedRuns.find(stepID);
    return found == m_pausedRuns.end() ? 0 : found->second->StoppedSequence();
}

void EngineEntry::DropPause(long stepID)
{
    m_pausedRuns.erase(stepID);
    m_staleSteps.remove(stepID);
}

int EngineEntry::Resume(ISimStatus* status, long stepID, EngineAdvance how)
{
    const auto found = m_pausedRuns.find(stepID);
    if (found == m_pausedRuns.end())
        return Drive(status, stepID, PrepareRun(stepID, m_options), how);
    std::unique_ptr<CEngineRun> run = std::move(found->second);
    const bool stale = m_staleSteps.value(stepID) || StepTransitionsChanged(stepID, run->Fingerprint());
    DropPause(stepID);
    return stale ? int(SIMULATION_FAILED) : Drive(status, stepID, std::move(run), how);
}

int EngineEntry::Drive(ISimStatus* status, long stepID, std::unique_ptr<CEngineRun> run, EngineAdvance how)
{
    if (!run)
        return SIMULATION_FAILED;
    const int code = run->Advance(status, how);
    if (code == SIMULATION_PAUSED)
        m_pausedRuns[stepID] = std::move(run);
    if (code != SIMULATION_COMPLETED)
        return code;
    if (run->WholeBatch())
        WriteStepBatchSize(stepID, run->Schedule());
    if (m_options.resultsDatabase == 0)
        return code;
    return WriteStepRun(*run, stepID) ? int(SIMULATION_COMPLETED) : int(SIMULATION_FAILED);
}

bool EngineEntry::getStepIdList(bool userSequence, long processID, Array<long>& stepIDs)
{
    stepIDs.RemoveAll();
    CDaoDatabase* project = GetProjectDatabase();
    CEngineProcessWalk walk;
    QList<long> order;
    try {
        if (userSequence || !project || !walk.Read(*project, processID) || !walk.Order(order))
            return false;
    } catch (const CDaoException&) {
        return false;
    }
    for (long step : order)
        stepIDs.Add(step);
    return true;
}

int EngineEntry::simulateProcess(ISimStatus* status, long processID, EngineEntry* batchEngine)
{
    CBusyScope busy;
    CDaoDatabase* project = GetProjectDatabase();
    CEngineProcessWalk walk;
    QList<long> order;
    try {
        if (!project)
            return SIMULATION_FAILED;
        if (!walk.Read(*project, processID)) {
            WriteRunRemark(ProcessResultsFileName(processID), REMARK_PROCESS_WITHOUT_TRANSITIONS);
            return SIMULATION_FAILED;
        }
        if (!walk.Order(order))
            return SIMULATION_FAILED;
    } catch (const CDaoException&) {
        return SIMULATION_FAILED;
    }
    std::vector<std::unique_ptr<CEngineRun>> runs;
    int operations = 0;
    for (long step : order) {
        if (batchEngine)
            batchEngine->resetSimulation(step, QStringLiteral("ReadAndSimulate"));
        runs.push_back(PrepareRun(step, m_options));
        if (!runs.back())
            return SIMULATION_FAILED;
        operations += runs.back()->OperationCount();
    }
    CEngineRun::ReportStart(status, operations);
    for (const auto& run : runs) {
        if (run->Advance(status, EngineAdvance::WithoutBreakpoints, false) != SIMULATION_COMPLETED)
            return SIMULATION_CANCELLED;
    }
    for (size_t i = 0; i < runs.size(); ++i)
        WriteStepBatchSize(order.at(qsizetype(i)), runs.at(i)->Schedule());
    return WriteProcessRuns(processID, walk, order, runs) ? int(SIMULATION_COMPLETED) : int(SIMULATION_FAILED);
}

void EngineEntry::WriteRunRemark(const QString& fileName, long messageID) const
{
    if (m_options.resultsDatabase != 0)
        WriteEngineRunRemark(ResultsFilePath(GetProjectDir(), fileName), messageID);
}

bool EngineEntry::WriteProcessRuns(long processID, const CEngineProcessWalk& walk, const QList<long>& order,
                                   const std::vector<std::unique_ptr<CEngineRun>>& runs)
{
    if (m_options.resultsDatabase == 0)
        return true;
    QHash<long, double> stepEnd;
    QList<EngineResultsPart> parts;
    for (size_t i = 0; i < runs.size(); ++i) {
        double start = 0;
        for (long predecessor : walk.Predecessors(order.at(qsizetype(i))))
            start = std::max(start, stepEnd.value(predecessor));
        stepEnd.insert(order.at(qsizetype(i)), start + ScheduleEnd(runs.at(i)->Schedule()));
        parts.append({&runs.at(i)->Schedule(), runs.at(i)->ResultCount(), start});
        if (!WriteStepRun(*runs.at(i), order.at(qsizetype(i))))
            return false;
    }
    ResultsRunSummary summary;
    summary.batchSize = runs.back()->Schedule().Summary().batchSize;
    summary.keyInputBatchSize = runs.front()->Schedule().Summary().keyInputBatchSize;
    double end = 0;
    for (double value : std::as_const(stepEnd))
        end = std::max(end, value);
    summary.cycleTime = end;
    return WriteEngineResults(ResultsFilePath(GetProjectDir(), ProcessResultsFileName(processID)), summary, parts);
}
