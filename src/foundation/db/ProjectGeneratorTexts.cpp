// Recipe texts of CProjectGenerator: composed from the written files, as a regeneration in the
// program composes them.

#include "foundation/db/ProjectGenerator.h"

#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/RecipeTextComposer.h"

#include <QDir>
#include <QSqlQuery>

namespace {

// The operation lines of the recipe, in recipe order, whose text is still to be composed.
const char* const PENDING_TEXTS_SQL =
    "SELECT t.ID FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID WHERE t.Type = 'Operation'"
    " AND o.RecipeText IS NULL ORDER BY t.RecipeSequenceNumber, t.RowKey";
const char* const WRITE_TEXT_SQL = "UPDATE Operation SET RecipeText = ? WHERE OperationID = ?";

void WriteStepRecipeTexts(const QString& path, long stepID, const RecipeTextSettings& settings)
{
    CDaoDatabase step;
    step.Open(path, DatabaseRole::ReadWrite);
    QList<long> pending;
    QSqlQuery rows = step.Query(QString::fromLatin1(PENDING_TEXTS_SQL));
    while (rows.next())
        pending.append(long(rows.value(0).toLongLong()));
    rows.finish();
    step.BeginTrans();
    for (const long operationID : std::as_const(pending)) {
        RecipeTextOperation operation;
        if (ReadRecipeTextOperation(step, stepID, operationID, operation))
            ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(WRITE_TEXT_SQL),
                     {ComposeRecipeText(operation, settings), qlonglong(operationID)});
    }
    step.CommitTrans();
}

} // namespace

bool CProjectGenerator::WriteRecipeTexts(const ProjectSpec& spec, const QString& folder)
{
    const QString base = QDir(folder).filePath(spec.name);
    try {
        CDaoDatabase project;
        CDaoDatabase equipment;
        CDaoDatabase material;
        project.Open(base + QStringLiteral(".prj"), DatabaseRole::ReadOnly);
        equipment.Open(base + QStringLiteral(".eqm"), DatabaseRole::ReadOnly);
        material.Open(base + QStringLiteral(".mtl"), DatabaseRole::ReadOnly);
        const RecipeTextSettings settings =
            LoadRecipeTextSettings({&project, &equipment, &material, nullptr});
        for (const StepSpec& step : spec.steps)
            WriteStepRecipeTexts(QDir(folder).filePath(StepFileName(step.stepID)), step.stepID, settings);
        return true;
    } catch (const CDaoException& error) {
        m_errorText = error.GetErrorDescription();
        return false;
    }
}
