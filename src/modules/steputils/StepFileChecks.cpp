#include "modules/steputils/StepFileChecks.h"

#include "modules/steputils/ExchangeColumns.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* const KEYWORD_TYPES = "('Start Parallel', 'End Parallel', 'Start Or', 'End Or', 'Series')";

struct RowCheck {
    const char* countSql; // counts the rows that break the rule
    const char* reason;
    bool ofExchangeTables = false;
};

// The first value of a query; an invalid value when it fails.
QVariant ScalarOf(QSqlDatabase database, const QString& sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql) || !query.next())
        return {};
    return query.value(0);
}

QString CheckRecipeSequence(QSqlDatabase database)
{
    QSqlQuery query(database);
    if (!query.exec(
            QStringLiteral("SELECT count(*), count(DISTINCT RecipeSequenceNumber), "
                           "coalesce(min(RecipeSequenceNumber), 1), coalesce(max(RecipeSequenceNumber), 0) "
                           "FROM TextRecipe")) ||
        !query.next())
        return query.lastError().text();
    const qlonglong rows = query.value(0).toLongLong();
    const bool dense = query.value(1).toLongLong() == rows && query.value(2).toLongLong() == 1 &&
                       query.value(3).toLongLong() == rows;
    return dense ? QString() : QStringLiteral("its recipe lines are not numbered 1 to %1").arg(rows);
}

QString SetStepIDs(QSqlDatabase database)
{
    for (const ExchangeColumn& column : ColumnsWithRole(ColumnRole::StepRef)) {
        if (column.table == QLatin1String("Step"))
            continue;
        QSqlQuery update(database);
        if (!update.exec(QStringLiteral("UPDATE \"%1\" SET \"%2\" = (SELECT StepID FROM Step) "
                                        "WHERE \"%2\" IS NOT (SELECT StepID FROM Step)")
                             .arg(column.table, column.column)))
            return update.lastError().text();
    }
    return {};
}

} // namespace

QString CheckStepRows(QSqlDatabase database, bool exchangeTables)
{
    const qlonglong steps = ScalarOf(database, QStringLiteral("SELECT count(*) FROM Step")).toLongLong();
    if (steps != 1)
        return QStringLiteral("it holds %1 step rows instead of one").arg(steps);
    const QString keywords = QString::fromLatin1(KEYWORD_TYPES);
    const RowCheck checks[] = {
        {"SELECT count(*) FROM TextRecipe WHERE Type NOT IN ('Unit Procedure', 'Operation') AND Type NOT IN "
         "%1",
         "a recipe line has an unknown type"},
        {"SELECT count(*) FROM TextRecipe WHERE Type IN %1 AND ID IS NOT RecipeSequenceNumber",
         "a keyword line is not numbered by its position"},
        {"SELECT count(*) FROM TextRecipe WHERE Type = 'Unit Procedure' AND ID NOT IN "
         "(SELECT UnitProcedureID FROM UnitProcedure)",
         "a recipe line names a unit procedure the step does not have"},
        {"SELECT count(*) FROM TextRecipe WHERE Type = 'Operation' AND ID NOT IN (SELECT OperationID FROM "
         "Operation)",
         "a recipe line names an operation the step does not have"},
        {"SELECT count(*) > 1 FROM StepExchange", "it holds more than one exchange row", true},
    };
    for (const RowCheck& check : checks) {
        if (check.ofExchangeTables && !exchangeTables)
            continue;
        const QVariant broken =
            ScalarOf(database, QString::fromLatin1(check.countSql).replace(QLatin1String("%1"), keywords));
        if (!broken.isValid() || broken.toLongLong() != 0)
            return QString::fromLatin1(check.reason);
    }
    const QString sequence = CheckRecipeSequence(database);
    return sequence.isEmpty() ? SetStepIDs(database) : sequence;
}
