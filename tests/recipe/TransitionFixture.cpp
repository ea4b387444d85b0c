#include "TransitionFixture.h"

#include "RecipeRowsOf.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>
#include <QVariant>

StepSpec TransitionFixture::RecipeStep(long stepID, const QString& recipe)
{
    StepSpec step;
    step.stepID = stepID;
    step.name = QStringLiteral("Step %1").arg(stepID);
    step.version = "1.0";
    for (const QString& token : recipe.split(u' ', Qt::SkipEmptyParts)) {
        RecipeLineSpec line;
        line.type = RecipeTypeOfToken(token);
        if (token == "U")
            line.name = "Vessel";
        if (token == "O")
            line.operationTypeID = 1;
        step.lines.append(line);
    }
    return step;
}

ProjectSpec TransitionFixture::ProjectOf(const QList<StepSpec>& steps, const QList<ProcessSpec>& processes)
{
    ProjectSpec spec;
    spec.name = "Transitions";
    spec.plantName = "Plant";
    spec.steps = steps;
    spec.processes = processes;
    return spec;
}

void TransitionFixture::Open(const ProjectSpec& spec)
{
    const QString folder = app.root() + "project/";
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
    app.fileSet().projectDir = folder;
    app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
    app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
    for (const StepSpec& step : spec.steps) {
        const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(step.stepID, std::move(database), path);
    }
}

CDaoDatabase& TransitionFixture::Step(long stepID)
{
    return *GetStepDatabase(stepID);
}

long TransitionFixture::Line(long position, long stepID)
{
    QSqlQuery query = Step(stepID).Query("SELECT ID FROM TextRecipe ORDER BY RecipeSequenceNumber, RowKey "
                                         "LIMIT 1 OFFSET ?",
                                         {qlonglong(position - 1)});
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

void TransitionFixture::HideLine(long position, long stepID)
{
    Step(stepID).Execute("UPDATE TextRecipe SET Hide = 1 WHERE RowKey = (SELECT RowKey FROM TextRecipe "
                         "ORDER BY RecipeSequenceNumber, RowKey LIMIT 1 OFFSET ?)",
                         {qlonglong(position - 1)});
}

QString TransitionFixture::NameOf(long id, long stepID)
{
    if (id == 1)
        return QStringLiteral("START");
    QSqlQuery query =
        Step(stepID).Query("SELECT COUNT(*) FROM TextRecipe WHERE RecipeSequenceNumber <= "
                           "(SELECT RecipeSequenceNumber FROM TextRecipe WHERE ID = ? AND Type IN "
                           "('Unit Procedure', 'Operation'))",
                           {qlonglong(id)});
    return query.next() ? QStringLiteral("r%1").arg(query.value(0).toLongLong()) : QString::number(id);
}

QStringList TransitionFixture::ReadRows(const QString& sql, long stepID)
{
    QList<std::tuple<QString, long, long>> rows;
    QSqlQuery query = Step(stepID).Query(sql);
    while (query.next())
        rows.append({query.value(0).toString(), long(query.value(1).toLongLong()),
                     long(query.value(2).toLongLong())});
    QStringList described;
    for (const auto& [type, from, to] : rows)
        described << QStringLiteral("%1 %2>%3").arg(type, NameOf(from, stepID), NameOf(to, stepID));
    return described;
}

QStringList TransitionFixture::UnitProcedureTransitions(long stepID)
{
    return ReadRows(
        "SELECT TransitionType, FromUnitProcedureID, ToUnitProcedureID FROM UnitProcedureTransition "
        "ORDER BY RowKey",
        stepID);
}

QStringList TransitionFixture::OperationTransitions(long stepID)
{
    return ReadRows(
        "SELECT TransitionType, FromOperationID, ToOperationID FROM OperationTransition ORDER BY RowKey",
        stepID);
}

QStringList TransitionFixture::OperationTransitionIDs(const QString& type, long stepID)
{
    QStringList ids;
    QSqlQuery query = Step(stepID).Query(
        "SELECT DISTINCT OperationTransitionID FROM OperationTransition WHERE TransitionType = ?", {type});
    while (query.next())
        ids << query.value(0).toString();
    return ids;
}

QStringList TransitionFixture::Describe(const Array<TransitionRecord>& records, long stepID)
{
    QStringList described;
    for (const TransitionRecord& t : records)
        described << QStringLiteral("%1 %2>%3")
                         .arg(t.TransitionType, NameOf(t.FromID, stepID), NameOf(t.ToID, stepID));
    return described;
}
