#include "preferences/shared/PreferenceStepScan.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"

bool StepsInProject(QList<long>& stepIDs)
{
    return CQueryStepInProjectSet::ReadStepIDs(stepIDs, DaoErrorMode::Quiet);
}

bool ProjectStepsWithoutStart(QList<ProjectStepEntry>& steps)
{
    steps.clear();
    CProjectStepSet set;
    set.SetErrorMode(DaoErrorMode::Quiet);
    if (!set.OpenSet())
        return false;
    for (; !set.IsEOF(); set.MoveNext()) {
        const QString name = set.GetText(QStringLiteral("StepName"));
        if (name.compare(QLatin1String("START"), Qt::CaseInsensitive) != 0)
            steps.append({set.GetLong(QStringLiteral("StepID")), name});
    }
    return true;
}
