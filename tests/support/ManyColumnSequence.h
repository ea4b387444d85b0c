#pragma once
// A plan's sequence file of very many columns, as a file that travelled in a package may hold: one
// column per batch of the step, each listing the step's operations, until the file has the size.

#include "foundation/common/UserSimSequenceFile.h"

inline QByteArray ManyColumnSequence(long stepID, const QList<SimSequenceOperation>& operations,
                                     qsizetype bytes)
{
    QByteArray content;
    for (int column = 1; content.size() < bytes; ++column) {
        for (const SimSequenceOperation& op : operations) {
            content += QStringLiteral("%1, %1, %2, %2, %3, %3, %4, Batch %1, %5\r\n")
                           .arg(column)
                           .arg(stepID)
                           .arg(op.unitProcedureID)
                           .arg(op.operationID)
                           .arg(op.text)
                           .toUtf8();
        }
    }
    content.chop(2);
    return content;
}
