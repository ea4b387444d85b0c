#include "planning/PlanReportFiles.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "planning/PlanFactorReport.h"
#include "planning/PlanReportStream.h"
#include "planning/PlanSequenceReport.h"

#include <QDir>

namespace {

// Writes the stream as the named file of the project folder; tells the user when it cannot.
bool SaveReportFile(const CPlanReportStream& stream, const QString& fileName)
{
    const QString folder = GetProjectDir();
    if (!folder.isEmpty() && stream.SaveTo(QDir(folder).filePath(fileName)))
        return true;
    QvMessageBox(QStringLiteral("File %1 could not be opened!").arg(fileName), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

} // namespace

QString PlanFactorFileName(long planID)
{
    return QString::asprintf("QVPLAN_%ld.FAC", planID);
}

QString PlanSequenceFileName()
{
    return QStringLiteral("PlanSequence.txt");
}

bool WritePlanFactorFile(long planID, const QList<PlanReportRequirement>& requirements)
{
    CPlanReportStream out;
    WritePlanFactorHeader(out);
    for (const PlanReportRequirement& requirement : requirements) {
        if (requirement.TotalBatches() != 0)
            WritePlanFactorReport(out, requirement);
    }
    return SaveReportFile(out, PlanFactorFileName(planID));
}

bool WritePlanSequenceFile(const QList<PlanSequenceRow>& rows)
{
    CPlanReportStream out;
    WritePlanSequence(out, rows);
    return SaveReportFile(out, PlanSequenceFileName());
}

bool WritePlanReportFiles(long planID, const QList<PlanReportRequirement>& requirements,
                          const QList<PlanSequenceRow>& rows)
{
    const bool factorsWritten = WritePlanFactorFile(planID, requirements);
    const bool sequenceWritten = WritePlanSequenceFile(rows);
    return factorsWritten && sequenceWritten;
}
