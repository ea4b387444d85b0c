#include "simulation/RunOutcome.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "modules/engine/EngineEntry.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlQuery>

#include <cmath>

namespace {

bool IsSetFigure(double value)
{
    return value < 1e34;
}

QString KgText(double kg)
{
    return IsSetFigure(kg) ? QString::asprintf("%.2f kg", kg) : QStringLiteral("not available");
}

QString RemarksText(const RemarkCounts& counts)
{
    return QStringLiteral("%1 error%2, %3 warning%4")
        .arg(counts.errors)
        .arg(counts.errors == 1 ? "" : "s")
        .arg(counts.warnings)
        .arg(counts.warnings == 1 ? "" : "s");
}

QString EndedText(int code)
{
    switch (code) {
    case SIMULATION_PAUSED:
        return QStringLiteral("paused");
    case SIMULATION_CANCELLED:
        return QStringLiteral("cancelled");
    default:
        return QStringLiteral("ended without results");
    }
}

// Whether the step is a cleaning step; false when its database does not tell.
bool IsCleaningStepOfPlan(long stepID)
{
    try {
        CDaoDatabase* step = GetStepDatabase(stepID);
        if (!step)
            return false;
        QSqlQuery row = step->Query(QStringLiteral("SELECT CleaningFlag FROM Step WHERE StepID = ?"),
                                    {qlonglong(stepID)});
        return row.next() && row.value(0).toLongLong() != 0;
    } catch (const CDaoException&) {
        return false;
    }
}

// "9 batches, 1 of them cleaning"; "8 batches" without cleaning batches.
QString PlanBatchCountText(long long batches, long long cleaning)
{
    QString text = QStringLiteral("%1 batch%2").arg(batches).arg(batches == 1 ? "" : "es");
    if (cleaning > 0)
        text += QStringLiteral(", %1 of them cleaning").arg(cleaning);
    return text;
}

// The batches of each step, counted with the cleaning ones among them.
QString PlanBatchCountText(const QHash<long, long long>& batchesByStep)
{
    long long batches = 0;
    long long cleaning = 0;
    for (auto it = batchesByStep.cbegin(); it != batchesByStep.cend(); ++it) {
        batches += it.value();
        if (IsCleaningStepOfPlan(it.key()))
            cleaning += it.value();
    }
    return PlanBatchCountText(batches, cleaning);
}

// Batches (step and batch number pairs) and the span from the first start to the last end.
QString PlanFigures(CResultsDatabase& results)
{
    QSet<QPair<long, long>> batches;
    double first = 1e35;
    double last = -1e35;
    for (const ResultsScheduleRow& row : results.PlanSchedule()) {
        batches.insert({row.stepID, row.batchNumber});
        first = std::min(first, row.start);
        last = std::max(last, row.end);
    }
    QHash<long, long long> byStep;
    for (const QPair<long, long>& batch : std::as_const(batches))
        ++byStep[batch.first];
    const double span = batches.isEmpty() ? 1e35 : last - first;
    return PlanBatchCountText(byStep) + QStringLiteral(", makespan %1 h:min").arg(HoursAndMinutes(span));
}

QString RunFigures(SummaryKind kind, CResultsDatabase& results)
{
    if (kind == SummaryKind::Plan)
        return PlanFigures(results);
    const ResultsRunSummary summary = results.Summary();
    return QStringLiteral("batch size %1, cycle time %2 h:min")
        .arg(KgText(summary.batchSize), HoursAndMinutes(summary.cycleTime));
}

} // namespace

QString HoursAndMinutes(double seconds)
{
    if (!IsSetFigure(seconds) || !std::isfinite(seconds))
        return QStringLiteral("not available");
    const long long minutes = std::llround(std::max(0.0, seconds) / 60.0);
    return QString::asprintf("%lld:%02lld", minutes / 60, minutes % 60);
}

QString RunOutcomeText(const QString& command, SummaryKind kind, long id, int code)
{
    const QString head = command + QStringLiteral(": ") + SummaryItemName(kind, id);
    if (code != SIMULATION_COMPLETED)
        return head + u' ' + EndedText(code) + u'.';
    CResultsDatabase results;
    if (!results.Open(SummaryResultsFile(kind, id)))
        return head + QStringLiteral(" completed; its results cannot be read.");
    return head + QStringLiteral(" completed; ") + RunFigures(kind, results) + QStringLiteral("; ") +
           RemarksText(CountRemarks(results)) + u'.';
}

QString PlanSequenceOutcomeText(long planID, bool written)
{
    const QString head = QStringLiteral("Plan Sequence: ") + SummaryItemName(SummaryKind::Plan, planID);
    if (!written)
        return head + QStringLiteral(" ended without a sequence.");
    QHash<long, long long> byStep; // the plan's batches: a detail row each
    try {
        if (CDaoDatabase* project = GetProjectDatabase()) {
            QSqlQuery rows = project->Query(QStringLiteral("SELECT StepID, COUNT(*) FROM ProductionPlanDetail"
                                                           " WHERE PlanID = ? GROUP BY StepID"),
                                            {qlonglong(planID)});
            while (rows.next())
                byStep.insert(long(rows.value(0).toLongLong()), rows.value(1).toLongLong());
        }
    } catch (const CDaoException&) {
        byStep.clear();
    }
    const QString batches = PlanBatchCountText(byStep);
    const qsizetype steps = byStep.size();
    return head + QStringLiteral(" completed; %1%2 of %3 step%4.")
                      .arg(batches, batches.contains(u',') ? QStringLiteral(",") : QString())
                      .arg(steps)
                      .arg(steps == 1 ? "" : "s");
}

QString DesignOutcomeText(long stepID, bool resultsWritten)
{
    const QString head = QStringLiteral("Design: ") + SummaryItemName(SummaryKind::Step, stepID);
    if (!resultsWritten)
        return head + QStringLiteral(" gave no answer.");
    const QString file = SummaryResultsFile(SummaryKind::Step, stepID);
    try {
        CDaoDatabase design;
        if (QFileInfo::exists(file))
            design.Open(file, DatabaseRole::ReadOnly);
        if (!design.IsOpen())
            return head + QStringLiteral(" gave no answer.");
        QSqlQuery row = design.Query(QStringLiteral("SELECT NumberOfBatches, BatchSize, ScaleFactor, Feasible"
                                                    " FROM DesignSummary WHERE StepID = ? LIMIT 1"),
                                     {qlonglong(stepID)});
        if (row.next())
            return head + QStringLiteral(" completed; %1 batches of %2, scale factor %3, %4.")
                              .arg(row.value(0).toLongLong())
                              .arg(KgText(row.value(1).toDouble()))
                              .arg(QString::number(row.value(2).toDouble(), 'f', 2))
                              .arg(row.value(3).toInt() != 0 ? "feasible" : "not feasible");
    } catch (const CDaoException&) {
    }
    return head + QStringLiteral(" gave no answer.");
}
