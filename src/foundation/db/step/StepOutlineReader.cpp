#include "foundation/db/step/StepOutlineReader.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QSqlDriver>
#include <sqlite3.h>

#include <memory>

namespace {

// Always one row or more: the step's columns are null when its table is empty, the line's columns
// when the step has no outline lines.
constexpr char OUTLINE_SQL[] =
    "SELECT s.Present, s.StepName, s.StepVersionName, t.RowKey, t.ID, t.Type = 'Unit Procedure',"
    " t.UPNumber, t.OPNumber,"
    " CASE WHEN t.Type = 'Unit Procedure' THEN t.UnitProcedureName ELSE t.OperationName END, t.Hide"
    " FROM (SELECT 1) AS one"
    " LEFT JOIN (SELECT 1 AS Present, StepName, StepVersionName FROM Step ORDER BY StepID LIMIT 1) AS s"
    " LEFT JOIN TextRecipe AS t ON t.StepID = ?1 AND t.Type IN ('Unit Procedure', 'Operation')"
    " ORDER BY t.RecipeSequenceNumber, t.RowKey";

enum OutlineColumn { PRESENT, STEP_NAME, VERSION_NAME, ROW_KEY, ID, IS_UNIT_PROCEDURE, UP, OP, NAME, HIDE };

struct OutlineStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using OutlineStatement = std::unique_ptr<sqlite3_stmt, OutlineStatementFinalizer>;

sqlite3* outlineEngineOf(CDaoDatabase& step)
{
    if (!step.IsOpen())
        throw CDaoException(QStringLiteral("The database is not open."));
    // The connection's own set-up and change reference come with its first statement.
    const QSqlDatabase database = step.Connection().database();
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    sqlite3* engine = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                          ? *static_cast<sqlite3* const*>(handle.constData())
                          : nullptr;
    if (!engine)
        throw CDaoException(QStringLiteral("The database is not open."));
    return engine;
}

[[noreturn]] void failOutline(sqlite3* engine)
{
    throw CDaoException(QString::fromUtf8(sqlite3_errmsg(engine)));
}

QString textAt(sqlite3_stmt* statement, int column)
{
    const auto* text = static_cast<const QChar*>(sqlite3_column_text16(statement, column));
    return text ? QString(text, sqlite3_column_bytes16(statement, column) / 2) : QString();
}

StepOutlineLine lineAt(sqlite3_stmt* row)
{
    return StepOutlineLine{long(sqlite3_column_int64(row, ID)), sqlite3_column_int(row, IS_UNIT_PROCEDURE) != 0,
                           long(sqlite3_column_int64(row, UP)), long(sqlite3_column_int64(row, OP)),
                           textAt(row, NAME), sqlite3_column_int64(row, HIDE) != 0};
}

void readOutlineRow(sqlite3_stmt* row, StepOutline& outline, bool first)
{
    if (first && sqlite3_column_type(row, PRESENT) != SQLITE_NULL) {
        outline.hasStep = true;
        outline.stepName = textAt(row, STEP_NAME);
        outline.versionName = textAt(row, VERSION_NAME);
    }
    if (sqlite3_column_type(row, ROW_KEY) != SQLITE_NULL)
        outline.lines.push_back(lineAt(row));
}

} // namespace

void ReadStepOutline(CDaoDatabase& step, long stepID, StepOutline& outline)
{
    outline.hasStep = false;
    outline.stepName.clear();
    outline.versionName.clear();
    outline.lines.clear();
    sqlite3* engine = outlineEngineOf(step);
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(engine, OUTLINE_SQL, int(sizeof OUTLINE_SQL), &prepared, nullptr) != SQLITE_OK)
        failOutline(engine);
    const OutlineStatement statement(prepared);
    sqlite3_bind_int64(prepared, 1, stepID);
    int result = SQLITE_ROW;
    for (bool first = true; (result = sqlite3_step(prepared)) == SQLITE_ROW; first = false)
        readOutlineRow(prepared, outline, first);
    if (result != SQLITE_DONE)
        failOutline(engine);
}
