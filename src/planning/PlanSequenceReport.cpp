#include "planning/PlanSequenceReport.h"

#include "planning/PlanReportStream.h"

namespace {

const char* const kSequenceLineEnd = "\r\n";
constexpr int kSequenceStepWidth = 32;
constexpr int kSequenceOverlapWidth = 10;
constexpr int kSequencePlantWidth = 32;

// "Name(Version)"; empty for a step whose row is gone, never the line above's.
QString SequenceStepText(const PlanSequenceRow& row)
{
    return row.StepFound ? row.StepName + '(' + row.StepVersionName + ')' : QString();
}

void WriteSequenceLine(CPlanReportStream& out, const QString& step, const QString& overlap,
                       const QString& plant)
{
    out.SetWidth(kSequenceStepWidth) << step;
    out.SetWidth(kSequenceOverlapWidth) << overlap;
    out.SetWidth(kSequencePlantWidth) << plant;
    out << kSequenceLineEnd;
}

} // namespace

void WritePlanSequence(CPlanReportStream& out, const QList<PlanSequenceRow>& rows)
{
    out.AlignLeft();
    out << "Plan Sequence" << kSequenceLineEnd << kSequenceLineEnd;
    WriteSequenceLine(out, QStringLiteral("Step (Version)"), QStringLiteral("Overlap?"),
                      QStringLiteral("Plant"));
    out << kSequenceLineEnd;
    for (const PlanSequenceRow& row : rows)
        WriteSequenceLine(out, SequenceStepText(row),
                          row.Overlap ? QStringLiteral("Yes") : QStringLiteral("No"), row.PlantName);
}
