#include "modules/sharedclasses/SharedParallelBlockStructure.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QSqlQuery>

CSharedParallelBlockStructure::CSharedParallelBlockStructure(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return;
    try {
        QSqlQuery rows = step->Query(QStringLiteral("SELECT ID, Type FROM TextRecipe WHERE StepID = ?"
                                                    " ORDER BY RecipeSequenceNumber, RowKey"),
                                     {qlonglong(stepID)});
        QList<int> open; // indices into m_blocks; -1 for a block that is not parallel
        while (rows.next()) {
            const QString type = rows.value(1).toString().toLower();
            if (type == QLatin1String("start parallel") || type == QLatin1String("start or")) {
                open << (type == QLatin1String("start or") ? -1 : int(m_blocks.size()));
                if (open.last() >= 0)
                    m_blocks.append(Block{long(rows.value(0).toLongLong()), {}});
            } else if ((type == QLatin1String("end parallel") || type == QLatin1String("end or")) && !open.isEmpty()) {
                open.removeLast();
            } else if (type == QLatin1String("operation")) {
                const long operationID = long(rows.value(0).toLongLong());
                int innermost = -1;
                for (int block : std::as_const(open)) {
                    if (block >= 0) {
                        m_blocks[block].operations << operationID;
                        innermost = block;
                    }
                }
                if (innermost >= 0)
                    m_innermost.append({operationID, m_blocks.at(innermost).id});
            }
        }
    } catch (const CDaoException&) {
        m_blocks.clear();
        m_innermost.clear();
    }
}

long CSharedParallelBlockStructure::getParallelBlockID(long operationID) const
{
    for (const auto& [operation, block] : m_innermost) {
        if (operation == operationID)
            return block;
    }
    return -1;
}

QList<long> CSharedParallelBlockStructure::getParallelOperationSet(long blockID) const
{
    for (const Block& block : m_blocks) {
        if (block.id == blockID)
            return block.operations;
    }
    return {};
}
