#include "foundation/db/DaoDatabase.h"
#include "recipe/RecipeConstraints.h"

void DeleteConstraintsOffTheRecipe(CDaoDatabase& step, long stepID)
{
    step.Execute(QStringLiteral(
                     "DELETE FROM OperationConditionalLogicParameter WHERE"
                     " NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ? AND ID = CurrentOperationID"
                     " AND Type = 'Operation')"
                     " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ? AND ID = OperationParameterID"
                     " AND Type = 'Operation')"),
                 {qlonglong(stepID), qlonglong(stepID)});
    step.Execute(QStringLiteral(
                     "DELETE FROM UnitProcedureConditionalLogicParameter WHERE"
                     " NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ? AND ID = CurrentUnitProcedureID"
                     " AND Type = 'Unit Procedure')"
                     " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE StepID = ?"
                     " AND ID = UnitProcedureParameterID AND Type = 'Unit Procedure')"),
                 {qlonglong(stepID), qlonglong(stepID)});
}
