#include "recipe/edit/RecipeTextRegenerator.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/step/TextRecipeSet.h"

#include <QList>
#include <QSqlQuery>
#include <climits>

namespace {
const char* const RECIPE_NOT_OPEN = "Can't open TextRecipe Table to retrieve operation id for updating recipe!";
const char* const STEPS_NOT_OPEN = "Can't open ProjectStep table to update recipe text!";
// The operation lines of unit procedures on an equipment item, in recipe order.
// The operations on the item, and those of the unit procedure before it (a transfer names it).
const char* const OPERATIONS_ON_EQUIPMENT =
    "SELECT t.ID FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID"
    " JOIN UnitProcedure u ON u.UnitProcedureID = o.UnitProcedureID"
    " WHERE t.Type = 'Operation' AND (u.PrimaryEquipmentID = ? OR (SELECT nu.PrimaryEquipmentID"
    "   FROM TextRecipe h JOIN TextRecipe n ON n.Type = 'Unit Procedure' AND n.RecipeSequenceNumber >"
    "   h.RecipeSequenceNumber JOIN UnitProcedure nu ON nu.UnitProcedureID = n.ID"
    "   WHERE h.Type = 'Unit Procedure' AND h.ID = o.UnitProcedureID ORDER BY n.RecipeSequenceNumber LIMIT 1) = ?)"
    " ORDER BY t.RecipeSequenceNumber, t.RowKey";

bool isOperationRow(const CTextRecipeSet& recipe)
{
    return recipe.GetText(QStringLiteral("Type")).compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0;
}

bool openStepRecipe(CTextRecipeSet& recipe, long stepID)
{
    if (recipe.OpenSet(stepID, 0, QStringLiteral("all")))
        return true;
    QvMessageBox(QString::fromLatin1(RECIPE_NOT_OPEN));
    return false;
}

// Each row moves the bar by its share of the step's part; the fractions add up across rows.
class StepProgressShare {
public:
    StepProgressShare(ProgressServices* progress, int stepPart, long rows)
        : m_progress(progress), m_increment(rows > 0 ? double(stepPart) / rows : 0.0)
    {
        if (rows == 0)
            Advance(stepPart); // an empty recipe still takes its step's part
    }
    void Row()
    {
        m_accumulated += m_increment;
        const int whole = int(m_accumulated);
        Advance(whole);
        m_accumulated -= whole;
    }

private:
    void Advance(int amount)
    {
        if (!m_progress)
            return;
        m_progress->SetProgressStep(amount);
        m_progress->StepProgress();
    }

    ProgressServices* m_progress;
    double m_increment;
    double m_accumulated = 0.0;
};

// The steps of the project that have an open database, once each; false when the list cannot be read.
bool projectStepIDs(QList<long>& stepIDs)
{
    CQueryStepInProjectSet steps;
    if (!steps.OpenSet())
        return false;
    for (; !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (!stepIDs.contains(stepID) && GetStepDatabase(stepID))
            stepIDs.append(stepID);
    }
    return true;
}

QList<long> operationsOnEquipment(CDaoDatabase& step, long equipmentID)
{
    QList<long> operationIDs;
    QSqlQuery rows =
        step.Query(QString::fromLatin1(OPERATIONS_ON_EQUIPMENT), {qlonglong(equipmentID), qlonglong(equipmentID)});
    while (rows.next())
        operationIDs.append(long(rows.value(0).toLongLong()));
    return operationIDs;
}

// The bar's range is a short: a project of many steps gets a smaller part per step.
int stepPart(qsizetype steps)
{
    return steps > 0 ? int(qMin<qsizetype>(100, SHRT_MAX / steps)) : 100;
}
} // namespace

bool UpdateRecipeTextOfStep(long stepID)
{
    CTextRecipeSet recipe;
    if (!openStepRecipe(recipe, stepID))
        return false;
    ResetStepWiseCache();
    CDaoTransaction transaction(*recipe.GetDatabase());
    for (; !recipe.IsEOF(); recipe.MoveNext()) {
        if (isOperationRow(recipe))
            ProcessOperation(stepID, recipe.GetLong(QStringLiteral("ID")));
    }
    transaction.Commit();
    recipe.CloseSet();
    return true;
}

bool CRecipeTextRegenerator::RegenerateStepRecipeText(long stepID)
{
    return UpdateRecipeTextOfStep(stepID);
}

void CRecipeTextRegenerator::UpdateRecipeTextOfAllSteps()
{
    QList<long> stepIDs;
    if (!projectStepIDs(stepIDs)) {
        QvMessageBox(QString::fromLatin1(STEPS_NOT_OPEN));
        return;
    }
    ProgressServices* progress = GetProgressServices();
    if (progress)
        progress->BeginProgress(0, short(stepIDs.size() * stepPart(stepIDs.size())),
                                QStringLiteral("Updating recipe text"));
    ResetStepWiseCache();
    const bool done = RegenerateSteps(stepIDs);
    if (progress)
        progress->EndProgress();
    if (!done)
        return;
    ReloadAllRecipeViews();
    SetProjectModified(true);
}

bool CRecipeTextRegenerator::RegenerateSteps(const QList<long>& stepIDs)
{
    const int part = stepPart(stepIDs.size());
    for (long stepID : stepIDs) {
        CTextRecipeSet recipe;
        if (!openStepRecipe(recipe, stepID))
            return false;
        StepProgressShare share(GetProgressServices(), part, recipe.GetRecordCount());
        CDaoTransaction transaction(*recipe.GetDatabase());
        for (; !recipe.IsEOF(); recipe.MoveNext()) {
            share.Row();
            if (isOperationRow(recipe))
                ProcessOperation(stepID, recipe.GetLong(QStringLiteral("ID")));
        }
        transaction.Commit();
    }
    return true;
}

void CRecipeTextRegenerator::UpdateRecipeTextsNamingEquipment(long equipmentID)
{
    QList<long> stepIDs;
    if (!projectStepIDs(stepIDs)) {
        QvMessageBox(QString::fromLatin1(STEPS_NOT_OPEN));
        return;
    }
    ResetStepWiseCache();
    bool regenerated = false;
    for (long stepID : std::as_const(stepIDs)) {
        CDaoDatabase* step = GetStepDatabase(stepID);
        const QList<long> operationIDs = operationsOnEquipment(*step, equipmentID);
        if (operationIDs.isEmpty())
            continue;
        CDaoTransaction transaction(*step);
        for (long operationID : operationIDs)
            ProcessOperation(stepID, operationID);
        transaction.Commit();
        ReloadRecipeViews(stepID);
        regenerated = true;
    }
    if (regenerated)
        SetProjectModified(true);
}
