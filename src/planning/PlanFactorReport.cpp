#include "planning/PlanFactorReport.h"

#include "planning/PlanReportStream.h"

namespace {

const char* const kFactorLineEnd = "\r\n";

QString FactorSpaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString FactorG(double value)
{
    return CPlanReportStream::FormatG(value);
}

// The amount in kg: the molecular weight times the amount in the internal unit.
QString RequiredKg(const PlanReportRequirement& r)
{
    return FactorG(r.MolecularWeight * r.RequiredAmount) + " kg";
}

bool IsCleaningRequirement(const PlanReportRequirement& r)
{
    return r.Kind != QLatin1String("process") && !r.Items.isEmpty() && r.Items.first().CleaningFlag;
}

void WriteRequirementLine(CPlanReportStream& out, const PlanReportRequirement& r)
{
    if (r.Kind == QLatin1String("process"))
        out << RequiredKg(r) << " of " << r.ProductName << " via "
            << "Process " << r.ProcessName << " (version: " << r.ProcessVersionName << ")";
    else if (IsCleaningRequirement(r))
        out << r.Items.first().NumberOfBatches << " batches of "
            << "Step " << r.StepName << " (version: " << r.StepVersionName << ")";
    else
        out << RequiredKg(r) << " of " << r.ProductName << " via "
            << "Step " << r.StepName << " (version: " << r.StepVersionName << ")";
    out << kFactorLineEnd;
}

void WriteFactorColumnHeads(CPlanReportStream& out)
{
    out << kFactorLineEnd << FactorSpaces(4) << "Required Steps:" << kFactorLineEnd;
    out << FactorSpaces(45) << "product" << FactorSpaces(4) << "plan" << kFactorLineEnd;
    out << FactorSpaces(45) << "factor " << FactorSpaces(3) << "amount" << kFactorLineEnd;
}

// One intermediate: its mass per kg of key output and its mass over all batches of the step.
void WriteFactorLine(CPlanReportStream& out, const char* label, const QString& name, double ratio,
                     double massPerBatchUnit, const PlanReportStep& step)
{
    const double amount = massPerBatchUnit * step.BatchSize * step.NumberOfBatches;
    out << FactorSpaces(8) << label;
    out.AlignLeft().SetWidth(23) << name;
    out.AlignRight().SetWidth(8) << FactorG(ratio);
    out.SetWidth(10) << FactorG(amount);
    out << " kg" << kFactorLineEnd;
}

void WriteFactorSideLine(CPlanReportStream& out, const char* label, long id, const QString& name, double mw,
                         double factor, const PlanReportStep& step)
{
    if (id != -1)
        WriteFactorLine(out, label, name, mw * factor / step.KeyOutputMW, mw * factor, step);
}

void WriteFactorLines(CPlanReportStream& out, const PlanReportStep& s)
{
    WriteFactorLine(out, "Key Input:  ", s.KeyInputName, s.KeyInputMW * s.KeyInputFactor / s.KeyOutputMW,
                    s.KeyInputMW * s.KeyInputFactor, s);
    WriteFactorSideLine(out, "2nd Input:  ", s.Input2ID, s.Input2Name, s.Input2MW, s.Input2Factor, s);
    WriteFactorSideLine(out, "3rd Input:  ", s.Input3ID, s.Input3Name, s.Input3MW, s.Input3Factor, s);
    WriteFactorLine(out, "Key Output: ", s.KeyOutputName, s.KeyOutputFactor,
                    s.KeyOutputMW * s.KeyOutputFactor, s);
    WriteFactorSideLine(out, "2nd Output: ", s.Output2ID, s.Output2Name, s.Output2MW, s.Output2Factor, s);
    WriteFactorSideLine(out, "3rd Output: ", s.Output3ID, s.Output3Name, s.Output3MW, s.Output3Factor, s);
}

void WriteFactorStep(CPlanReportStream& out, const PlanReportStep& step)
{
    out << FactorSpaces(6) << "Step: " << step.StepName << kFactorLineEnd;
    if (step.CleaningFlag) {
        out << FactorSpaces(8) << step.NumberOfBatches << " batches" << kFactorLineEnd << "\n";
        return;
    }
    out << FactorSpaces(8) << "Batch Size: " << FactorG(step.KeyOutputMW * step.BatchSize) << " kg"
        << kFactorLineEnd;
    out << FactorSpaces(8) << step.NumberOfBatches << " batches" << kFactorLineEnd;
    WriteFactorLines(out, step);
    out << kFactorLineEnd;
}

} // namespace

void WritePlanFactorHeader(CPlanReportStream& out)
{
    out << kFactorLineEnd << kFactorLineEnd;
    out.AlignRight().SetWidth(45) << "Tamro Plenthover Product Factors";
    out << kFactorLineEnd << kFactorLineEnd << kFactorLineEnd;
    out.AlignLeft() << "This report provides product factors and batch sizes for the" << kFactorLineEnd
                    << "Steps in each Process that is simulated in the Plan." << kFactorLineEnd;
    out << kFactorLineEnd;
}

void WritePlanFactorReport(CPlanReportStream& out, const PlanReportRequirement& requirement)
{
    out << QString(65, QLatin1Char('_')) << kFactorLineEnd << "Plan Quantity:" << kFactorLineEnd;
    WriteRequirementLine(out, requirement);
    if (!IsCleaningRequirement(requirement))
        WriteFactorColumnHeads(out);
    for (const PlanReportStep& step : requirement.Items) {
        if (step.NumberOfBatches != 0)
            WriteFactorStep(out, step);
    }
    out << kFactorLineEnd;
}
