#pragma once
// The recipe position of each operation as [Operation] keeps it: UnitProcedureSequenceNumber and
// OperationSequenceNumber, written for many operations by one statement.

#include <QList>

class CDaoDatabase;

struct OperationSequence {
    long operationID;
    long unitProcedureNumber;
    long operationNumber;
};

// Operations without a row are passed over. Raises CDaoException on an error.
void WriteOperationSequenceNumbers(CDaoDatabase& step, const QList<OperationSequence>& sequences);
