// Recipe texts of CProjectGenerator: composed from the written files, as a regeneration in the
// program composes them.

#include "foundation/db/content/ProjectGenerator.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/RecipeTextComposer.h"
#include "foundation/db/content/RecipeTextPatterns.h"

#include <QDir>
#include <QSet>
#include <QSqlQuery>

#include <functional>

namespace {

// The operation lines of the recipe, in recipe order, whose text is still to be composed.
const char* const PENDING_TEXTS_SQL =
    "SELECT t.ID FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID WHERE t.Type = 'Operation'"
    " AND o.RecipeText IS NULL ORDER BY t.RecipeSequenceNumber, t.RowKey";
const char* const WRITE_TEXT_SQL = "UPDATE Operation SET RecipeText = ? WHERE OperationID = ?";

// Operations of a type whose sentence names where the contents go, not of a fixed text.
const char* const TRANSFER_TEXTS_SQL =
    "SELECT t.ID, o.OperationTypeID, o.RecipeText FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID"
    " WHERE t.Type = 'Operation' ORDER BY t.RecipeSequenceNumber, t.RowKey";

QList<long> GeneratorPendingTexts(CDaoDatabase& step)
{
    QList<long> pending;
    QSqlQuery rows = step.Query(QString::fromLatin1(PENDING_TEXTS_SQL));
    while (rows.next())
        pending.append(long(rows.value(0).toLongLong()));
    return pending;
}

QList<long> GeneratorTransferTexts(CDaoDatabase& step, const StepSpec& spec)
{
    QSet<QString> fixed;
    for (const RecipeLineSpec& line : spec.lines) {
        if (!line.recipeText.isEmpty())
            fixed.insert(line.recipeText);
    }
    QList<long> transfers;
    QSqlQuery rows = step.Query(QString::fromLatin1(TRANSFER_TEXTS_SQL));
    while (rows.next()) {
        const QString pattern =
            RecipeTextPattern(long(rows.value(1).toLongLong()), QLatin1String(DEFAULT_RECIPE_LANGUAGE));
        if (pattern.contains(QLatin1String("{Destination}")) && !fixed.contains(rows.value(2).toString()))
            transfers.append(long(rows.value(0).toLongLong()));
    }
    return transfers;
}

// The texts of the operations which answers, composed from the step's file as it is now.
void WriteStepRecipeTexts(const QString& path, const StepSpec& spec, const RecipeTextSettings& settings,
                          const std::function<QList<long>(CDaoDatabase&, const StepSpec&)>& which)
{
    CDaoDatabase step;
    step.Open(path, DatabaseRole::ReadWrite);
    const QList<long> pending = which(step, spec);
    step.BeginTrans();
    for (const long operationID : pending) {
        RecipeTextOperation operation;
        if (ReadRecipeTextOperation(step, spec.stepID, operationID, operation))
            ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(WRITE_TEXT_SQL),
                     {ComposeRecipeText(operation, settings), qlonglong(operationID)});
    }
    step.CommitTrans();
}

bool WriteGeneratedRecipeTexts(const ProjectSpec& spec, const QString& folder,
                               const std::function<QList<long>(CDaoDatabase&, const StepSpec&)>& which,
                               QString& errorText)
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
            WriteStepRecipeTexts(QDir(folder).filePath(CProjectGenerator::StepFileName(step.stepID)), step,
                                 settings, which);
        return true;
    } catch (const CDaoException& error) {
        errorText = error.GetErrorDescription();
        return false;
    }
}

} // namespace

bool CProjectGenerator::WriteRecipeTexts(const ProjectSpec& spec, const QString& folder)
{
    return WriteGeneratedRecipeTexts(
        spec, folder, [](CDaoDatabase& step, const StepSpec&) { return GeneratorPendingTexts(step); },
        m_errorText);
}

bool CProjectGenerator::WriteTransferTexts(const ProjectSpec& spec, const QString& folder)
{
    return WriteGeneratedRecipeTexts(spec, folder, GeneratorTransferTexts, m_errorText);
}
