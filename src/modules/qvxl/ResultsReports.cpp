#include "modules/qvxl/ResultsReports.h"

#include "foundation/db/schema/ResultsDatabase.h"

namespace {
constexpr double RESULTS_REPORT_UNSET = 1e35;

QVariant ResultsReportNumber(double value)
{
    return value == RESULTS_REPORT_UNSET ? QVariant() : QVariant(value);
}

QList<QVariant> SummaryValues(const ResultsRunSummary& summary)
{
    return {ResultsReportNumber(summary.batchSize), ResultsReportNumber(summary.keyInputBatchSize),
            ResultsReportNumber(summary.cycleTime), ResultsReportNumber(summary.maxBatchSize),
            ResultsReportNumber(summary.minBatchSize)};
}

const QStringList& SummaryLabels()
{
    static const QStringList labels = {QStringLiteral("Batch Size (kg)"), QStringLiteral("Key Input Batch Size (kg)"),
                                       QStringLiteral("Cycle Time (s)"), QStringLiteral("Max Batch Size (kg)"),
                                       QStringLiteral("Min Batch Size (kg)")};
    return labels;
}

struct CaseCounts {
    qlonglong operations = 0;
    qlonglong errors = 0;
    qlonglong warnings = 0;
};

CaseCounts CountCase(CResultsDatabase& results, long stepID)
{
    CaseCounts counts;
    counts.operations = results.Schedule(stepID).size();
    for (const ResultsRemark& remark : results.StepRemarks(stepID))
        (remark.type.compare(QLatin1String("Error"), Qt::CaseInsensitive) == 0 ? counts.errors : counts.warnings)++;
    return counts;
}

QList<ResultsRemark> RemarksOf(CResultsDatabase& results, long stepID)
{
    return stepID == -1 ? results.AllRemarks() : results.StepRemarks(stepID);
}

ReportSheet ScheduleSheet(CResultsDatabase& results, long stepID)
{
    ReportSheet sheet{QStringLiteral("Schedule"), {}};
    sheet.rows << QVariantList{QStringLiteral("Step ID"),  QStringLiteral("Operation ID"), QStringLiteral("Start (s)"),
                               QStringLiteral("End (s)"),  QStringLiteral("Duration (s)"), QStringLiteral("Equipment ID"),
                               QStringLiteral("Batch")};
    const QList<ResultsScheduleRow> rows = stepID == -1 ? results.PlanSchedule() : results.Schedule(stepID);
    for (const ResultsScheduleRow& row : rows)
        sheet.rows << QVariantList{qlonglong(row.stepID), qlonglong(row.operationID), row.start, row.end,
                                   row.duration, qlonglong(row.equipmentID), qlonglong(row.batchNumber)};
    return sheet;
}

ReportSheet RemarksSheet(CResultsDatabase& results, long stepID)
{
    ReportSheet sheet{QStringLiteral("Remarks"), {}};
    sheet.rows << QVariantList{QStringLiteral("Step ID"), QStringLiteral("Operation ID"), QStringLiteral("Type"),
                               QStringLiteral("Remark"), QStringLiteral("Batch")};
    for (const ResultsRemark& remark : RemarksOf(results, stepID))
        sheet.rows << QVariantList{qlonglong(remark.stepID), qlonglong(remark.operationID), remark.type, remark.text,
                                   qlonglong(remark.batchNumber)};
    return sheet;
}

ReportSheet SummarySheet(const QString& title, const QString& name, CResultsDatabase& results)
{
    ReportSheet sheet{QStringLiteral("Summary"), {}};
    sheet.rows << QVariantList{title} << QVariantList{QStringLiteral("Name"), name}
               << QVariantList{QStringLiteral("Results Version"), results.Version()};
    const QList<QVariant> values = SummaryValues(results.Summary());
    for (qsizetype i = 0; i < values.size(); ++i)
        sheet.rows << QVariantList{SummaryLabels()[i], values[i]};
    return sheet;
}
} // namespace

ReportSheet CaseCompareSheet(const QList<CaseColumn>& columns)
{
    ReportSheet sheet{QStringLiteral("Case Comparison"), {}};
    sheet.rows << QVariantList{QStringLiteral("Step")};
    for (const QString& label : SummaryLabels())
        sheet.rows << QVariantList{label};
    sheet.rows << QVariantList{QStringLiteral("Operations")} << QVariantList{QStringLiteral("Errors")}
               << QVariantList{QStringLiteral("Warnings")};
    for (const CaseColumn& column : columns) {
        const CaseCounts counts = CountCase(*column.results, column.stepID);
        QVariantList values{column.name};
        values << SummaryValues(column.results->Summary());
        values << counts.operations << counts.errors << counts.warnings;
        for (qsizetype row = 0; row < values.size(); ++row)
            sheet.rows[row] << values[row];
    }
    return sheet;
}

QList<ReportSheet> RunReportSheets(const QString& title, const QString& name, CResultsDatabase& results,
                                   long stepID)
{
    return {SummarySheet(title, name, results), ScheduleSheet(results, stepID), RemarksSheet(results, stepID)};
}
