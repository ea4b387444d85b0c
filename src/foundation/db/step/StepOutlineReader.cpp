#include "foundation/db/step/StepOutlineReader.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/SharedConnection.h"

#include <QSqlDriver>
#include <sqlite3.h>

#include <memory>

namespace {

// Two plain statements: one that joins the step's row to its lines costs more to prepare than both.
constexpr char LABEL_SQL[] = "SELECT StepName, StepVersionName FROM Step ORDER BY StepID LIMIT 1";
constexpr char LINES_SQL[] =
    "SELECT ID, Type = 'Unit Procedure', UPNumber, OPNumber,"
    " CASE WHEN Type = 'Unit Procedure' THEN UnitProcedureName ELSE OperationName END, Hide FROM TextRecipe"
    " WHERE StepID = ?1 AND Type IN ('Unit Procedure', 'Operation') ORDER BY RecipeSequenceNumber, RowKey";

enum OutlineColumn { LINE_ID, LINE_IS_UNIT_PROCEDURE, LINE_UP, LINE_OP, LINE_NAME, LINE_HIDE };

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

QString outlineTextAt(sqlite3_stmt* statement, int column)
{
    const auto* text = static_cast<const QChar*>(sqlite3_column_text16(statement, column));
    return text ? QString(text, sqlite3_column_bytes16(statement, column) / 2) : QString();
}

StepOutlineLine outlineLineAt(sqlite3_stmt* row)
{
    return StepOutlineLine{long(sqlite3_column_int64(row, LINE_ID)),
                           long(sqlite3_column_int64(row, LINE_UP)),
                           long(sqlite3_column_int64(row, LINE_OP)),
                           outlineTextAt(row, LINE_NAME),
                           sqlite3_column_int(row, LINE_IS_UNIT_PROCEDURE) != 0,
                           sqlite3_column_int64(row, LINE_HIDE) != 0};
}

OutlineStatement prepareOutline(sqlite3* engine, const char* sql)
{
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(engine, sql, -1, &prepared, nullptr) != SQLITE_OK)
        failOutline(engine);
    return OutlineStatement(prepared);
}

// True with a row, false after the last one.
bool nextOutlineRow(sqlite3* engine, sqlite3_stmt* statement)
{
    const int result = sqlite3_step(statement);
    if (result != SQLITE_ROW && result != SQLITE_DONE)
        failOutline(engine);
    return result == SQLITE_ROW;
}

} // namespace

void ReadStepOutline(CDaoDatabase& step, long stepID, StepOutline& outline)
{
    outline.hasStep = false;
    outline.stepName.clear();
    outline.versionName.clear();
    outline.lines.clear();
    sqlite3* engine = outlineEngineOf(step);
    // The label's statement stays unfinished over the lines' read, so both share one read of the
    // file instead of taking and dropping its locks twice.
    const OutlineStatement label = prepareOutline(engine, LABEL_SQL);
    if (nextOutlineRow(engine, label.get())) {
        outline.hasStep = true;
        outline.stepName = outlineTextAt(label.get(), 0);
        outline.versionName = outlineTextAt(label.get(), 1);
    }
    const OutlineStatement lines = prepareOutline(engine, LINES_SQL);
    sqlite3_bind_int64(lines.get(), 1, stepID);
    while (nextOutlineRow(engine, lines.get()))
        outline.lines.push_back(outlineLineAt(lines.get()));
}

bool CStepOutlineCache::IsCurrent(const Kept& kept, CDaoDatabase& step) const
{
    const std::shared_ptr<CSharedConnection> connection = kept.connection.lock();
    return connection && connection.get() == &step.Connection() &&
           connection->changeNumber() == kept.changeNumber;
}

const StepOutline& CStepOutlineCache::Read(CDaoDatabase& step, long stepID)
{
    if (!step.IsOpen())
        throw CDaoException(QStringLiteral("The database is not open."));
    if (const auto read = m_pass.find(stepID); read != m_pass.end() && IsCurrent(*read, step))
        return read->outline;
    Kept kept = m_kept.take(stepID);
    if (!IsCurrent(kept, step)) {
        kept.connection = step.Connection().shared_from_this();
        kept.changeNumber = step.Connection().changeNumber();
        ReadStepOutline(step, stepID, kept.outline);
        kept.outline.lines.shrink_to_fit(); // kept until the step changes
    }
    return m_pass.insert(stepID, std::move(kept))->outline;
}

void CStepOutlineCache::EndPass()
{
    m_kept = std::move(m_pass);
    m_pass.clear();
}

void CStepOutlineCache::Clear()
{
    m_kept.clear();
    m_pass.clear();
}
