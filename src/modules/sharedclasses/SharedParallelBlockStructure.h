#pragma once
// A step's text recipe read once from its TextRecipe rows, with the parallel blocks they form: a
// block is known by the ID of its "Start Parallel" row; start and end lines pair as a stack does
// (the innermost open block closes first), whatever kind of block encloses them. A "Series" line
// starts the next series of the innermost open block; the first operation after it (nested blocks
// included) is that series' first. Items are found by (id, type): an operation and a unit
// procedure may share an id.

#include "modules/sharedclasses/DataExchangeTextRecipe.h"

#include <QHash>
#include <QList>
#include <QSet>

class CSharedParallelBlockStructure {
public:
    CSharedParallelBlockStructure() = default;
    explicit CSharedParallelBlockStructure(long stepID); // an unreadable recipe has no rows
    // Reads the step's recipe again; false when it cannot be read (no rows then).
    bool buildParallelBlockList(long stepID);

    bool isRead() const { return m_read; }
    const QList<CDataExchangeTextRecipe>& rows() const { return m_rows; }
    int getParallelBlockListSize() const { return int(m_blocks.size()); }

    // The innermost parallel block holding the operation; -1 when none does.
    long getParallelBlockID(long operationID) const { return m_innermost.value(operationID, -1); }
    // The operations inside the block, nested blocks included, in recipe order.
    QList<long> getParallelOperationSet(long blockID) const;
    // The operations of the block the operation begins a later series of (else its innermost
    // block), the block's first operation first; false when it lies in no block.
    bool getParallelOperationSet(QList<long>& operations, long operationID) const;
    bool isOperationInParallelBlock(long operationID) const { return m_innermost.contains(operationID); }
    bool isFirstOperationInFirstSeries(long operationID) const
    {
        return m_firstOfFirst.contains(operationID);
    }
    bool isFirstOpInNonFirstSeries(long operationID) const { return m_firstOfLater.contains(operationID); }

    // The item's row: its name and label as the recipe shows them ("label name"); false when the
    // recipe has no row of that item.
    bool readDescription(long itemID, const QString& type, QString& name, QString& label) const;
    // The item's recipe position (larger lies later); 0 when unknown.
    long getRecipeSequenceNumber(long itemID, const QString& type) const;
    bool isOperationAvailableOnTextRecipe(long operationID) const;
    bool isUnitProcedureAvailableOnTextRecipe(long unitProcedureID) const;

private:
    struct Block {
        long id = -1;
        QList<long> operations;
        QList<long> seriesFirst; // the first operation of each series; -1 while none came
    };
    struct OpenBlock {
        int block = -1; // into m_blocks; -1 for a block that is not parallel
    };

    void clear();
    void readRows(long stepID);
    void buildBlocks();
    void addOperation(long operationID, const QList<OpenBlock>& open, QList<std::pair<int, int>>& pending);
    const CDataExchangeTextRecipe* findRow(long itemID, const QString& type) const;
    static qint64 itemKey(long itemID, bool unitProcedure)
    {
        return qint64(itemID) * 2 + (unitProcedure ? 1 : 0);
    }

    bool m_read = false;
    QList<CDataExchangeTextRecipe> m_rows; // in recipe order
    QHash<qint64, int> m_itemRows;         // (id, kind) -> first row of the item
    QList<Block> m_blocks;                 // in order of their start lines
    QHash<long, long> m_innermost;         // operation -> innermost parallel block
    QHash<long, int> m_laterSeriesBlock;   // operation -> block it begins a later series of
    QSet<long> m_firstOfFirst;
    QSet<long> m_firstOfLater;
};
