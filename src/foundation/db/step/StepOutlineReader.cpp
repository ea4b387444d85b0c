#include "foundation/db/step/StepOutlineReader.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QSqlDriver>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <utility>

namespace {

// Two plain statements: one that joins the step's row to its lines costs more to prepare than both.
// A step file holds its own step's lines: one pass over the table in key order (the unary plus keeps
// the engine off the sequence index) costs less than a seek into the table for every line, and the
// few lines are put in recipe order here.
constexpr char LABEL_SQL[] = "SELECT StepName, StepVersionName FROM Step ORDER BY StepID LIMIT 1";
constexpr char LINES_SQL[] = "SELECT ID, Type, UPNumber, OPNumber, UnitProcedureName, OperationName, Hide,"
                             " RecipeSequenceNumber, RowKey FROM TextRecipe WHERE +StepID = ?1";

enum OutlineColumn {
    LINE_ID,
    LINE_TYPE,
    LINE_UP,
    LINE_OP,
    LINE_UP_NAME,
    LINE_OP_NAME,
    LINE_HIDE,
    LINE_SEQUENCE,
    LINE_ROW_KEY
};

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
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

// The line kinds of the outline, in any case as the type column compares them.
enum class OutlineKind { None, UnitProcedure, Operation };

OutlineKind outlineKindAt(sqlite3_stmt* row)
{
    const QByteArrayView type(reinterpret_cast<const char*>(sqlite3_column_text(row, LINE_TYPE)),
                              sqlite3_column_bytes(row, LINE_TYPE));
    if (type.compare("Unit Procedure", Qt::CaseInsensitive) == 0)
        return OutlineKind::UnitProcedure;
    return type.compare("Operation", Qt::CaseInsensitive) == 0 ? OutlineKind::Operation : OutlineKind::None;
}

StepOutlineLine outlineLineAt(sqlite3_stmt* row, bool unitProcedure)
{
    return StepOutlineLine{long(sqlite3_column_int64(row, LINE_ID)),
                           long(sqlite3_column_int64(row, LINE_UP)),
                           long(sqlite3_column_int64(row, LINE_OP)),
                           outlineTextAt(row, unitProcedure ? LINE_UP_NAME : LINE_OP_NAME),
                           unitProcedure,
                           sqlite3_column_int64(row, LINE_HIDE) != 0};
}

// A line's place in the recipe: its sequence number, then its row key.
using OutlinePlace = std::pair<qint64, qint64>;

OutlinePlace outlinePlaceAt(sqlite3_stmt* row)
{
    return {sqlite3_column_int64(row, LINE_SEQUENCE), sqlite3_column_int64(row, LINE_ROW_KEY)};
}

// Puts the lines in recipe order; they mostly come in it already.
void sortOutline(std::vector<StepOutlineLine>& lines, std::vector<OutlinePlace>& places)
{
    if (std::is_sorted(places.begin(), places.end()))
        return;
    std::vector<size_t> order(lines.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return places[a] < places[b]; });
    std::vector<StepOutlineLine> sorted;
    sorted.reserve(lines.size());
    for (const size_t at : order)
        sorted.push_back(std::move(lines[at]));
    lines = std::move(sorted);
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
    std::vector<OutlinePlace> places;
    while (nextOutlineRow(engine, lines.get())) {
        const OutlineKind kind = outlineKindAt(lines.get());
        if (kind == OutlineKind::None)
            continue;
        outline.lines.push_back(outlineLineAt(lines.get(), kind == OutlineKind::UnitProcedure));
        places.push_back(outlinePlaceAt(lines.get()));
    }
    sortOutline(outline.lines, places);
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
