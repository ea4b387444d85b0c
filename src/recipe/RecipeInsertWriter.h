#pragma once
// The rows of an insert into a step's text recipe, written through statements the step's
// connection keeps prepared: the rows after the insertion point move down in one statement, the
// new rows go in, and the unit-procedure and operation numbers after them are counted again in
// one more. Runs inside the caller's transaction; a database error raises CDaoException.

#include <QString>

class CDaoDatabase;
class CSharedConnection;

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
};

class CRecipeInsertWriter {
public:
    CRecipeInsertWriter(CDaoDatabase& step, long stepID);

    // The rows from sequence number `from` on move down by count; keyword rows take their new
    // position as their ID.
    void ShiftRows(long from, long count);
    // Answers the new row's key.
    long InsertRow(const TextRecipeRowValues& row);
    // From sequence number `from` to the end: unit procedures count on from unitProcedureNumber
    // (the number in force before `from`), operations from operationNumber until the next unit
    // procedure and from 1 after each; labels follow. Only rows whose numbers change are written.
    void Renumber(long from, long unitProcedureNumber, long operationNumber);
    // Hide of the rows after sequence number `after` up to the next unit-procedure row.
    void HideUntilNextUnitProcedure(long after, bool hidden);
    // The operations after sequence number `after` up to the next unit procedure belong to it.
    void AdoptOperations(long after, long unitProcedureID);

private:
    void Run(const char* sql, const QVariantList& values);

    CSharedConnection& m_connection;
    long m_stepID;
    long m_lastInsertID = -1;
};
