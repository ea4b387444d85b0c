#include "simulation/SimulationSummary.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/ProjectText.h"
#include "foundation/db/schema/ResultsDatabase.h"

#include <QSqlQuery>

namespace {

bool IsSet(double value)
{
    return value < 1e34;
}

QString Kg(double kg)
{
    return IsSet(kg) ? QString::asprintf("%.2f kg", kg) : QStringLiteral("not available");
}

QString Hours(double seconds)
{
    return IsSet(seconds) ? QString::asprintf("%.2f h", seconds / 3600.0) : QStringLiteral("not available");
}

QString StepName(long stepID)
{
    const QString name = ReadProjectText("SELECT StepName || ' (' || StepVersionName || ')' FROM ProjectStep"
                                         " WHERE StepID = ?",
                                         stepID);
    return QStringLiteral("step ") + (name.isEmpty() ? QString::number(stepID) : name);
}

} // namespace

QString SummaryItemName(SummaryKind kind, long id)
{
    QString name;
    switch (kind) {
    case SummaryKind::Step:
        return StepName(id);
    case SummaryKind::Process:
        name = ReadProjectText("SELECT ProcessName || ' (' || ProcessVersionName || ')' FROM Process"
                               " WHERE ProcessID = ?",
                               id);
        return QStringLiteral("process ") + (name.isEmpty() ? QString::number(id) : name);
    case SummaryKind::Plan:
        name = ReadProjectText("SELECT PlanName FROM ProductionPlan WHERE PlanID = ?", id);
        return QStringLiteral("plan ") + (name.isEmpty() ? QString::number(id) : name);
    }
    return {};
}

QString SummaryResultsFile(SummaryKind kind, long id)
{
    const QString name = kind == SummaryKind::Step      ? StepResultsFileName(id)
                         : kind == SummaryKind::Process ? ProcessResultsFileName(id)
                                                        : PlanResultsFileName(id);
    return ResultsFilePath(GetProjectDir(), name);
}

RemarkCounts CountRemarks(CResultsDatabase& results)
{
    RemarkCounts counts;
    for (const ResultsRemark& remark : results.AllRemarks()) {
        if (remark.type.compare(QLatin1String("Error"), Qt::CaseInsensitive) == 0)
            ++counts.errors;
        else
            ++counts.warnings;
    }
    return counts;
}

bool SimulationSummaryWanted()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        QSqlQuery row = project->Query(QStringLiteral(
            "SELECT SimulationSummaryMessage FROM SimulationOptions WHERE OptionType = 'BATCH' LIMIT 1"));
        return row.next() && !row.value(0).isNull() && row.value(0).toInt() != 0;
    } catch (const CDaoException&) {
        return false;
    }
}

QString RunSummaryText(SummaryKind kind, long id)
{
    CResultsDatabase results;
    const bool read = results.Open(SummaryResultsFile(kind, id));
    const ResultsRunSummary summary = read ? results.Summary() : ResultsRunSummary();
    QString text = QStringLiteral("Simulation of %1 completed.\nCycle time: %2\nBatch size: %3\n")
                       .arg(SummaryItemName(kind, id), Hours(summary.cycleTime), Kg(summary.batchSize));
    const RemarkCounts counts = read ? CountRemarks(results) : RemarkCounts();
    return text + QStringLiteral("Errors: %1\nWarnings: %2").arg(counts.errors).arg(counts.warnings);
}

QString ScaleUpSummaryText(long stepID, double batchSizeKg, double keyInputKg)
{
    return QStringLiteral("Recipe scaling of %1 completed.\nBatch size: %2\nKey input batch size: %3")
        .arg(StepName(stepID), Kg(batchSizeKg), Kg(keyInputKg));
}

QString DesignSummaryText(long stepID)
{
    CResultsDatabase results;
    const QString file = SummaryResultsFile(SummaryKind::Step, stepID);
    QString text = QStringLiteral("Design of %1 completed.").arg(StepName(stepID));
    if (!results.Open(file))
        return text;
    results.Close();
    try {
        CDaoDatabase design;
        design.Open(file, DatabaseRole::ReadOnly);
        QSqlQuery row = design.Query(QStringLiteral("SELECT NumberOfBatches, BatchSize, CycleTime, Feasible"
                                                    " FROM DesignSummary WHERE StepID = ? LIMIT 1"),
                                     {qlonglong(stepID)});
        if (row.next())
            text += QStringLiteral("\nBatches: %1\nBatch size: %2\nCycle time: %3\nFeasible: %4")
                        .arg(row.value(0).toLongLong())
                        .arg(Kg(row.value(1).toDouble()), Hours(row.value(2).toDouble()),
                             row.value(3).toInt() != 0 ? QStringLiteral("Yes") : QStringLiteral("No"));
    } catch (const CDaoException&) {
    }
    return text;
}

void ShowSimulationSummary(const QString& text)
{
    if (SimulationSummaryWanted())
        QvMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
