#include "recipe/lines/RecipeLineSources.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/step/OperationSet.h"
#include "foundation/db/step/UnitProcedureSet.h"
#include "recipe/lines/OperationComment.h"

namespace {
const char* const REMARK_MARKS_VERSION = "Version 20.0 Beta";

bool OpenStepResults(CResultsDatabase& results, long stepID)
{
    return results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID)));
}

// Worse of two severities: 0 (error) over 1 (warning) over -1 (none).
int WorseSeverity(int a, int b)
{
    if (a == 0 || b == 0)
        return 0;
    return a == 1 || b == 1 ? 1 : -1;
}

int SeverityOfRemark(const ResultsRemark& remark)
{
    if (!isMessageVisible(remark.messageID))
        return -1;
    if (remark.type.contains(QLatin1String("Error")))
        return 0;
    return remark.type.contains(QLatin1String("Warning")) ? 1 : -1;
}
} // namespace

QString GetUnitProcedureCommentText(long stepID, long unitProcedureID)
{
    CUnitProcedureSet set;
    if (!set.OpenSet(stepID, unitProcedureID) || set.IsEOF())
        return QString();
    return GetUnitProcedureComment(stepID, unitProcedureID, set.GetText(QStringLiteral("UserComments")));
}

QString GetAllOperationComments(long stepID, long operationID)
{
    COperationSet set;
    if (!set.OpenSet(stepID, operationID) || set.IsEOF())
        return QString();
    return set.GetText(QStringLiteral("UserComments"));
}

int GetResultRemarkSeverity(long stepID, long operationID)
{
    CResultsDatabase results;
    if (!OpenStepResults(results, stepID))
        return -1;
    int severity = -1;
    for (const ResultsRemark& remark : results.Remarks(stepID, operationID))
        severity = WorseSeverity(severity, SeverityOfRemark(remark));
    return severity;
}

int AreRemarkIconsDisplayed()
{
    return CurrentDisplayOptions().warnings ? 1 : 0;
}

std::optional<QHash<long, int>> ReadStepRemarkSeverities(long stepID)
{
    CResultsDatabase results;
    if (!OpenStepResults(results, stepID))
        return QHash<long, int>();
    const QString version = results.Version();
    if (results.ReadFailed())
        return QHash<long, int>();
    if (IsResultsVersionEarlier(version, QLatin1String(REMARK_MARKS_VERSION)))
        return std::nullopt;
    QHash<long, int> severities;
    for (const ResultsRemark& remark : results.StepRemarks(stepID)) {
        const int severity = SeverityOfRemark(remark);
        if (severity >= 0)
            severities[remark.operationID] = WorseSeverity(severities.value(remark.operationID, -1), severity);
    }
    return severities;
}
