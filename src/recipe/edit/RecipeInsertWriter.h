#pragma once
// The rows of an insert into a step's text recipe, written through statements the step's
// connection keeps prepared: the rows after the insertion point move down and take their new
// numbers in one statement (after a look-up of how far the numbers move; keyword rows take their new
// IDs in one more), then the new rows go in. Runs inside the caller's transaction; a database error raises
// CDaoException.

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class CDaoDatabase;
class CSharedConnection;
class KeptResult;

// One TextRecipe row as an insert writes it; empty texts and a negative OPNumber stay unwritten.
struct TextRecipeRowValues {
    long id = -1;
    int indent = 1;
    QString label;
    QString operationName;
    long opNumber = -1;
    long sequence = 0; // RecipeSequenceNumber, from 1
    QString type;
    QString unitProcedureName;
    long upNumber = 0;
    bool hide = false;
    bool breakpoint = false;
    long rowKey = -1; // InsertRows only: the key the row goes in under
};

class CRecipeInsertWriter {
public:
    // rowCount: how many rows the step has, where known (a shift of most of them reads the table).
    CRecipeInsertWriter(CDaoDatabase& step, long stepID, long rowCount = 0);

    // The rows from sequence number `from` on move down by count; keyword rows take their new
    // position as their ID.
    void ShiftRows(long from, long count);
    // ShiftRows, with the numbers of the rows moved: up to the next unit procedure, operations take
    // unitProcedureNumber and count on from operationNumber; from it on, unit procedures count on
    // from unitProcedureNumber + 1; labels follow. The numbers move by the same amount throughout
    // each of the two parts, as the rows were numbered consecutively before.
    void ShiftAndRenumber(long from, long count, long unitProcedureNumber, long operationNumber);
    // Answers the new row's key.
    long InsertRow(const TextRecipeRowValues& row);
    // The rows, each under its own key.
    void InsertRows(const QList<TextRecipeRowValues>& rows);
    // The key above every row key in use.
    long NextRowKey();
    // Hide of the rows after sequence number `after` up to the next unit-procedure row.
    void HideUntilNextUnitProcedure(long after, bool hidden);
    // The operations after sequence number `after` up to the next unit procedure belong to it.
    void AdoptOperations(long after, long unitProcedureID);

private:
    using RowReader = std::function<void(KeptResult&)>;
    void Run(const char* sql, const QVariantList& values, const RowReader& read = {});
    QVariantList ValuesOf(const TextRecipeRowValues& row) const;

    CSharedConnection& m_connection;
    long m_stepID;
    long m_rowCount;
    long m_lastInsertID = -1;
};
