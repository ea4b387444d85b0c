// Set-based writes of the text-recipe inserts.

#include "recipe/RecipeInsertWriter.h"

#include "foundation/db/DaoDatabase.h"

namespace {

// Marks these statements in the connection's cache, apart from the recordset writer's.
const QString INSERT_WRITER_KEY = QStringLiteral("recipe insert");

const char* const SHIFT_ROWS =
    "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + ?3,"
    " ID = CASE WHEN Type IN ('Unit Procedure', 'Operation') THEN ID ELSE RecipeSequenceNumber + ?3 END"
    " WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2";

const char* const INSERT_ROW =
    "INSERT INTO TextRecipe (ID, Indent, Label, OperationName, OPNumber, RecipeSequenceNumber, StepID, Type,"
    " UnitProcedureName, UPNumber, Hide, Breakpoint) VALUES (?, ?, ?, ?, COALESCE(?, 0), ?, ?, ?, ?, ?, ?, "
    "?)";

// ups: the unit procedures from `from` up to the row; an operation counts within its unit
// procedure, those before the first one of the range on from the given operation number.
const char* const RENUMBER =
    "WITH ordered AS (SELECT RowKey, Type, RecipeSequenceNumber AS seq,"
    "   SUM(Type = 'Unit Procedure') OVER (ORDER BY RecipeSequenceNumber, RowKey ROWS UNBOUNDED PRECEDING) "
    "AS ups"
    "   FROM TextRecipe WHERE StepID = ?1 AND RecipeSequenceNumber >= ?2),"
    " numbered AS (SELECT RowKey, Type, ?3 + ups AS up,"
    "   CASE WHEN Type = 'Unit Procedure' THEN 0 ELSE (CASE WHEN ups = 0 THEN ?4 - 1 ELSE 0 END) +"
    "     SUM(Type = 'Operation') OVER (PARTITION BY ups ORDER BY seq, RowKey ROWS UNBOUNDED PRECEDING) END "
    "AS op"
    "   FROM ordered WHERE Type IN ('Unit Procedure', 'Operation'))"
    " UPDATE TextRecipe SET UPNumber = n.up, OPNumber = n.op,"
    "   Label = CASE WHEN n.op = 0 THEN n.up || '.' ELSE n.up || '.' || n.op || '.' END"
    " FROM numbered n WHERE TextRecipe.RowKey = n.RowKey"
    "   AND (TextRecipe.UPNumber IS NOT n.up OR TextRecipe.OPNumber IS NOT n.op"
    "     OR TextRecipe.Label IS NOT (CASE WHEN n.op = 0 THEN n.up || '.' ELSE n.up || '.' || n.op || '.' "
    "END))";

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

void CRecipeInsertWriter::Renumber(long from, long unitProcedureNumber, long operationNumber)
{
    Run(RENUMBER,
        {qlonglong(m_stepID), qlonglong(from), qlonglong(unitProcedureNumber), qlonglong(operationNumber)});
}

void CRecipeInsertWriter::HideUntilNextUnitProcedure(long after, bool hidden)
{
    Run(HIDE_UNTIL_NEXT_UNIT_PROCEDURE, {qlonglong(m_stepID), qlonglong(after), hidden ? 1 : 0});
}

void CRecipeInsertWriter::AdoptOperations(long after, long unitProcedureID)
{
    Run(ADOPT_OPERATIONS, {qlonglong(m_stepID), qlonglong(after), qlonglong(unitProcedureID)});
}
