// Set-based writes of the text-recipe inserts.

#include "recipe/RecipeInsertWriter.h"

#include "foundation/db/DaoDatabase.h"

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

// shift: the first unit procedure from ?2 on (nextUP), how far the operation numbers before it move
// (op) and the unit-procedure numbers from it on (up); each evaluated once.
const char* const SHIFT_AND_RENUMBER =
    "WITH region AS MATERIALIZED (SELECT COALESCE((SELECT MIN(RecipeSequenceNumber) FROM TextRecipe"
    "   WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2 AND Type = 'Unit Procedure'), 9223372036854775807)"
    "   AS nextUP),"
    " shift AS MATERIALIZED (SELECT nextUP,"
    "   ?5 - COALESCE((SELECT OPNumber FROM TextRecipe WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2"
    "     AND RecipeSequenceNumber < nextUP AND Type = 'Operation' ORDER BY RecipeSequenceNumber LIMIT 1), ?5)"
    "   AS op,"
    "   ?4 + 1 - COALESCE((SELECT UPNumber FROM TextRecipe WHERE StepID = ?1 AND RecipeSequenceNumber = nextUP"
    "     AND Type = 'Unit Procedure'), ?4 + 1) AS up"
    "   FROM region)"
    " UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?3,"
    "   UPNumber = CASE WHEN Type NOT IN ('Unit Procedure', 'Operation') THEN UPNumber"
    "     WHEN RecipeSequenceNumber < s.nextUP THEN ?4 ELSE UPNumber + s.up END,"
    "   OPNumber = CASE WHEN Type = 'Operation' AND RecipeSequenceNumber < s.nextUP THEN OPNumber + s.op"
    "     ELSE OPNumber END,"
    "   Label = CASE WHEN Type = 'Unit Procedure' THEN (UPNumber + s.up) || '.'"
    "     WHEN Type <> 'Operation' THEN Label"
    "     WHEN RecipeSequenceNumber < s.nextUP THEN ?4 || '.' || (OPNumber + s.op) || '.'"
    "     ELSE (UPNumber + s.up) || '.' || OPNumber || '.' END"
    " FROM shift s WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2";

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

} // namespace

CRecipeInsertWriter::CRecipeInsertWriter(CDaoDatabase& step, long stepID)
    : m_connection(step.Connection()), m_stepID(stepID)
{
}

void CRecipeInsertWriter::Run(const char* sql, const QVariantList& values)
{
    const StatementKey key{StatementKind::Update,
                           QStringLiteral("TextRecipe"),
                           {QString::fromLatin1(sql)},
                           {INSERT_WRITER_KEY},
                           {}};
    m_connection.execKept(
        key, [sql] { return QString::fromLatin1(sql); }, values,
        [this](KeptResult& result) { m_lastInsertID = long(result.lastInsertId()); });
}

void CRecipeInsertWriter::ShiftRows(long from, long count)
{
    Run(SHIFT_ROWS, {qlonglong(m_stepID), qlonglong(from), qlonglong(count)});
    Run(KEYWORD_IDS, {qlonglong(m_stepID), qlonglong(from + count)});
}

void CRecipeInsertWriter::ShiftAndRenumber(long from, long count, long unitProcedureNumber, long operationNumber)
{
    Run(SHIFT_AND_RENUMBER, {qlonglong(m_stepID), qlonglong(from), qlonglong(count), qlonglong(unitProcedureNumber),
                             qlonglong(operationNumber)});
    Run(KEYWORD_IDS, {qlonglong(m_stepID), qlonglong(from + count)});
}

long CRecipeInsertWriter::InsertRow(const TextRecipeRowValues& row)
{
    const QVariant opNumber = row.opNumber < 0 ? QVariant() : QVariant(qlonglong(row.opNumber));
    Run(INSERT_ROW,
        {qlonglong(row.id), row.indent, TextOrNull(row.label), TextOrNull(row.operationName), opNumber,
         qlonglong(row.sequence), qlonglong(m_stepID), row.type, TextOrNull(row.unitProcedureName),
         qlonglong(row.upNumber), row.hide ? 1 : 0, row.breakpoint ? 1 : 0});
    return m_lastInsertID;
}

void CRecipeInsertWriter::HideUntilNextUnitProcedure(long after, bool hidden)
{
    Run(HIDE_UNTIL_NEXT_UNIT_PROCEDURE, {qlonglong(m_stepID), qlonglong(after), hidden ? 1 : 0});
}

void CRecipeInsertWriter::AdoptOperations(long after, long unitProcedureID)
{
    Run(ADOPT_OPERATIONS, {qlonglong(m_stepID), qlonglong(after), qlonglong(unitProcedureID)});
}
