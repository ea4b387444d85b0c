#include "RecipeTextFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QSqlQuery>

RecordingRecipeServices::RecordingRecipeServices()
{
    m_installed.Install<RecipeViewServices>(this);
    m_installed.Install<ProcessExplorerServices>(this);
    m_installed.Install<ProcessOperationService>(this);
}

void RecipeTextFixture::Open(const ProjectSpec& spec, const QList<long>& unopened)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        if (unopened.contains(step.stepID))
            continue;
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

void RecipeTextFixture::EditStep(long stepID, const QString& sql, const QVariantList& values)
{
    GetStepDatabase(stepID)->Execute(sql, values);
}

QVariant RecipeTextFixture::StepValue(long stepID, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql, values);
    return query.next() ? query.value(0) : QVariant();
}

QList<long> RecipeTextFixture::RecipeIDs(long stepID, const QString& type)
{
    QList<long> ids;
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        "SELECT ID FROM TextRecipe WHERE Type = ? ORDER BY RecipeSequenceNumber, RowKey", {type});
    while (query.next())
        ids << long(query.value(0).toLongLong());
    return ids;
}

QStringList RecipeTextFixture::ProcessedOperations(long stepID)
{
    QStringList calls;
    for (long id : RecipeIDs(stepID, "Operation"))
        calls << QString("ProcessOperation %1 %2").arg(stepID).arg(id);
    return calls;
}
