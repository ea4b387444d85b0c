#include "foundation/db/step/OperationSequenceNumbers.h"

#include "foundation/db/recordsets/BulkRows.h"

void WriteOperationSequenceNumbers(CDaoDatabase& step, const QList<OperationSequence>& sequences)
{
    if (sequences.isEmpty())
        return;
    QList<QVariantList> rows;
    rows.reserve(sequences.size());
    for (const OperationSequence& sequence : sequences)
        rows.append({qlonglong(sequence.operationID), qlonglong(sequence.unitProcedureNumber),
                     qlonglong(sequence.operationNumber)});
    ExecKept(
        step, QStringLiteral("Operation"),
        QStringLiteral("UPDATE Operation SET UnitProcedureSequenceNumber = json_extract(j.value, '$[1]'),"
                       " OperationSequenceNumber = json_extract(j.value, '$[2]')"
                       " FROM json_each(?) AS j WHERE Operation.OperationID = json_extract(j.value, '$[0]')"),
        {JsonRows(rows)});
}
