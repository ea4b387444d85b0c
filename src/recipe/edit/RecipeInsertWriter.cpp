// Set-based writes of the text-recipe inserts.

#include "recipe/edit/RecipeInsertWriter.h"

#include "foundation/db/connection/DaoDatabase.h"

#include <QHash>

namespace {

// Marks these statements in the connection's cache, apart from the recordset writer's.
const QString INSERT_WRITER_KEY = QStringLiteral("recipe insert");

const char* const SHIFT_ROWS = "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?3"
                               " WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2";

// In a statement of its own: ID is indexed, and only keyword rows change it.
const char* const KEYWORD_IDS =
    "UPDATE TextRecipe SET ID = RecipeSequenceNumber WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2"
    " AND Type NOT IN ('Unit Procedure', 'Operation')";

const char* const INSERT_ROW =
    "INSERT INTO TextRecipe (ID, Indent, Label, OperationName, OPNumber, RecipeSequenceNumber, StepID, Type,"
    " UnitProcedureName, UPNumber, Hide, Breakpoint) VALUES (?, ?, ?, ?, COALESCE(?, 0), ?, ?, ?, ?, ?, ?, "
    "?)";

// The same of several rows under row keys of the caller's, their values bound as they are: cheaper
// than one JSON text unpacked column by column, and a statement per block of rows rather than per
// row (the engine opens the table and its indexes once for the block).
const char* const INSERT_KEYED_ROWS =
    "INSERT INTO TextRecipe (ID, Indent, Label, OperationName, OPNumber, RecipeSequenceNumber, StepID, Type,"
    " UnitProcedureName, UPNumber, Hide, Breakpoint, RowKey) VALUES ";
const char* const KEYED_ROW_VALUES = "(?, ?, ?, ?, COALESCE(?, 0), ?, ?, ?, ?, ?, ?, ?, ?)";

// Rows go in blocks of these sizes, the largest that fits first.
constexpr qsizetype KEYED_ROW_BLOCKS[] = {32, 8, 1};

// The statement inserting a block of that many rows.
const char* InsertKeyedRows(qsizetype rows)
{
    static const auto texts = [] {
        QHash<qsizetype, QByteArray> made;
        for (const qsizetype size : KEYED_ROW_BLOCKS) {
            QByteArray sql = INSERT_KEYED_ROWS;
            for (qsizetype row = 0; row < size; ++row)
                sql += (row ? ", " : "") + QByteArray(KEYED_ROW_VALUES);
            made.insert(size, sql);
        }
        return made;
    }();
    return texts.find(rows)->constData();
}

const char* const NEXT_ROW_KEY = "SELECT COALESCE(MAX(RowKey), 0) + 1 FROM TextRecipe";

// From sequence number ?2 on: the first unit procedure's position, how far the operation numbers
// before it move to start at ?4, and how far the unit-procedure numbers from it on move to follow ?3.
const char* const RENUMBER_SHIFT =
    "WITH region AS (SELECT COALESCE((SELECT RecipeSequenceNumber FROM TextRecipe WHERE StepID = ?1"
    "   AND RecipeSequenceNumber >= ?2 AND Type = 'Unit Procedure' ORDER BY RecipeSequenceNumber LIMIT 1),"
    "   9223372036854775807) AS nextUP)"
    " SELECT nextUP,"
    "   ?4 - COALESCE((SELECT OPNumber FROM TextRecipe WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2"
    "     AND RecipeSequenceNumber < nextUP AND Type = 'Operation'"
    "     ORDER BY RecipeSequenceNumber LIMIT 1), ?4),"
    "   ?3 + 1 - COALESCE((SELECT UPNumber FROM TextRecipe WHERE StepID = ?1"
    "     AND RecipeSequenceNumber = nextUP AND Type = 'Unit Procedure'), ?3 + 1)"
    " FROM region";

// ?5 to ?7: the row of RENUMBER_SHIFT. Operations, the most rows, are told apart first.
const char* const SHIFT_AND_RENUMBER =
    "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?3,"
    "   UPNumber = CASE Type WHEN 'Operation' THEN iif(RecipeSequenceNumber < ?5, ?4, UPNumber + ?7)"
    "     WHEN 'Unit Procedure' THEN iif(RecipeSequenceNumber < ?5, ?4, UPNumber + ?7) ELSE UPNumber END,"
    "   OPNumber = CASE WHEN RecipeSequenceNumber < ?5 AND Type = 'Operation' THEN OPNumber + ?6"
    "     ELSE OPNumber END,"
    "   Label = CASE Type WHEN 'Operation' THEN iif(RecipeSequenceNumber < ?5,"
    "       printf('%d.%d.', ?4, OPNumber + ?6), printf('%d.%d.', UPNumber + ?7, OPNumber))"
    "     WHEN 'Unit Procedure' THEN printf('%d.', UPNumber + ?7) ELSE Label END"
    " WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2";

// A statement on the rows from ?2 on, for most of the rows: through the table in one pass. Through
// the index of the column it changes, an update would first collect every row it reaches; through
// any index, it would look up each row it reaches on its own.
QByteArray ThroughTable(const char* sql)
{
    return QByteArray(sql).replace("WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2",
                                   "WHERE +StepID = ?1 AND +RecipeSequenceNumber >= ?2");
}

const char* ShiftAndRenumberOfMostRows()
{
    static const QByteArray sql = ThroughTable(SHIFT_AND_RENUMBER);
    return sql.constData();
}

const char* KeywordIdsOfMostRows()
{
    static const QByteArray sql = ThroughTable(KEYWORD_IDS);
    return sql.constData();
}

const char* const HIDE_UNTIL_NEXT_UNIT_PROCEDURE =
    "UPDATE TextRecipe SET Hide = ?3 WHERE StepID = ?1 AND RecipeSequenceNumber > ?2"
    " AND RecipeSequenceNumber < COALESCE((SELECT MIN(RecipeSequenceNumber) FROM TextRecipe"
    "   WHERE StepID = ?1 AND RecipeSequenceNumber > ?2 AND Type = 'Unit Procedure'), 2147483647)";

const char* const ADOPT_OPERATIONS =
    "UPDATE Operation SET UnitProcedureID = ?3 WHERE OperationID IN (SELECT ID FROM TextRecipe"
    " WHERE StepID = ?1 AND Type = 'Operation' AND RecipeSequenceNumber > ?2"
    " AND RecipeSequenceNumber < COALESCE((SELECT MIN(RecipeSequenceNumber) FROM TextRecipe"
    "   WHERE StepID = ?1 AND RecipeSequenceNumber > ?2 AND Type = 'Unit Procedure'), 2147483647))";

QVariant TextOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant OpNumberOrNull(long opNumber)
{
    return opNumber < 0 ? QVariant() : QVariant(qlonglong(opNumber));
}

} // namespace

CRecipeInsertWriter::CRecipeInsertWriter(CDaoDatabase& step, long stepID, long rowCount)
    : m_connection(step.Connection()), m_stepID(stepID), m_rowCount(rowCount)
{
}

void CRecipeInsertWriter::Run(const char* sql, const QVariantList& values, const RowReader& read)
{
    const StatementKey key{StatementKind::Update,
                           QStringLiteral("TextRecipe"),
                           {QString::fromLatin1(sql)},
                           {INSERT_WRITER_KEY},
                           {}};
    m_connection.execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values,
        [this, &read](KeptResult& result) {
            m_lastInsertID = long(result.lastInsertId());
            if (read)
                read(result);
        });
}

void CRecipeInsertWriter::ShiftRows(long from, long count)
{
    Run(SHIFT_ROWS, {qlonglong(m_stepID), qlonglong(from), qlonglong(count)});
    Run(KEYWORD_IDS, {qlonglong(m_stepID), qlonglong(from + count)});
}

void CRecipeInsertWriter::ShiftAndRenumber(long from, long count, long unitProcedureNumber,
                                           long operationNumber)
{
    const qlonglong step = m_stepID, up = unitProcedureNumber;
    QVariantList values{step, qlonglong(from), qlonglong(count), up};
    Run(RENUMBER_SHIFT, {step, qlonglong(from), up, qlonglong(operationNumber)},
        [&values](KeptResult& shift) {
            if (shift.next())
                values << shift.value(0) << shift.value(1) << shift.value(2);
        });
    const bool most = from <= m_rowCount / 2;
    Run(most ? ShiftAndRenumberOfMostRows() : SHIFT_AND_RENUMBER, values);
    Run(most ? KeywordIdsOfMostRows() : KEYWORD_IDS, {step, qlonglong(from + count)});
}

QVariantList CRecipeInsertWriter::ValuesOf(const TextRecipeRowValues& row) const
{
    return {qlonglong(row.id),
            row.indent,
            TextOrNull(row.label),
            TextOrNull(row.operationName),
            OpNumberOrNull(row.opNumber),
            qlonglong(row.sequence),
            qlonglong(m_stepID),
            row.type,
            TextOrNull(row.unitProcedureName),
            qlonglong(row.upNumber),
            row.hide ? 1 : 0,
            row.breakpoint ? 1 : 0};
}

long CRecipeInsertWriter::InsertRow(const TextRecipeRowValues& row)
{
    Run(INSERT_ROW, ValuesOf(row));
    return m_lastInsertID;
}

void CRecipeInsertWriter::InsertRows(const QList<TextRecipeRowValues>& rows)
{
    qsizetype next = 0;
    for (const qsizetype block : KEYED_ROW_BLOCKS) {
        for (; rows.size() - next >= block; next += block) {
            QVariantList values;
            values.reserve(block * 13);
            for (qsizetype row = next; row < next + block; ++row)
                values << ValuesOf(rows.at(row)) << qlonglong(rows.at(row).rowKey);
            Run(InsertKeyedRows(block), values);
        }
    }
}

long CRecipeInsertWriter::NextRowKey()
{
    long key = 1;
    Run(NEXT_ROW_KEY, {}, [&key](KeptResult& row) {
        if (row.next())
            key = long(row.value(0).toLongLong());
    });
    return key;
}

void CRecipeInsertWriter::HideUntilNextUnitProcedure(long after, bool hidden)
{
    Run(HIDE_UNTIL_NEXT_UNIT_PROCEDURE, {qlonglong(m_stepID), qlonglong(after), hidden ? 1 : 0});
}

void CRecipeInsertWriter::AdoptOperations(long after, long unitProcedureID)
{
    Run(ADOPT_OPERATIONS, {qlonglong(m_stepID), qlonglong(after), qlonglong(unitProcedureID)});
}
