#include "foundation/common/SimSequenceRecipe.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/step/TextRecipeSet.h"

#include <QSqlQuery>
#include <algorithm>
#include <climits>

namespace {
bool IsSequenceMarkerRow(const QString& type)
{
    static const QStringList markers = {QStringLiteral("Start Parallel"), QStringLiteral("End Parallel"),
                                        QStringLiteral("Start Or"), QStringLiteral("End Or"),
                                        QStringLiteral("Series")};
    return markers.contains(type, Qt::CaseInsensitive);
}

void AddSequenceRecipeRow(const CTextRecipeSet& rows, long& unitProcedureID, SimSequenceStepRecipe& recipe)
{
    const QString type = rows.GetFieldValue(QStringLiteral("Type")).toString();
    const long id = rows.GetLong(QStringLiteral("ID"));
    if (type.compare(QLatin1String("Unit Procedure"), Qt::CaseInsensitive) == 0)
        unitProcedureID = id;
    else if (!IsSequenceMarkerRow(type))
        recipe.operations.append({unitProcedureID, id,
                                  rows.GetFieldValue(QStringLiteral("Label")).toString() + QLatin1Char(' ') +
                                      rows.GetFieldValue(QStringLiteral("OperationName")).toString()});
}
} // namespace

SimSequenceStepRecipe ReadSimSequenceStepRecipe(long stepID)
{
    SimSequenceStepRecipe recipe;
    try {
        CTextRecipeSet rows;
        rows.SetErrorMode(DaoErrorMode::Quiet);
        if (!rows.OpenSet(stepID, 0, QStringLiteral("all")))
            return recipe;
        recipe.opened = true;
        long unitProcedureID = -1;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            if (recipe.stepName.isEmpty()) {
                recipe.stepName = rows.GetFieldValue(QStringLiteral("StepName")).toString();
                recipe.stepVersionName = rows.GetFieldValue(QStringLiteral("StepVersionName")).toString();
            }
            if (!rows.GetFieldValue(QStringLiteral("Hide")).toBool())
                AddSequenceRecipeRow(rows, unitProcedureID, recipe);
        }
    } catch (const CDaoException&) {
        recipe.opened = false;
        recipe.operations.clear();
    }
    return recipe;
}

int SimSequenceColumnLimit(long planID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return 0;
    try {
        QSqlQuery requirements = project->Query(
            QStringLiteral("SELECT COUNT(*) FROM PlanRequirements WHERE PlanID = ?"), {qlonglong(planID)});
        QSqlQuery steps =
            project->Query(QStringLiteral("SELECT COUNT(*) FROM ProjectStep WHERE StepName <> 'START'"));
        if (!requirements.next() || !steps.next())
            return 0;
        const qint64 limit = qint64(SIM_SEQUENCE_MAX_BATCHES) * requirements.value(0).toLongLong() *
                             std::max<qint64>(1, steps.value(0).toLongLong());
        return int(std::min<qint64>(limit, INT_MAX));
    } catch (const CDaoException&) {
        return 0;
    }
}
