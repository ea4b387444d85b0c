#pragma once
// The parallel blocks of a step's text recipe as its TextRecipe rows give them: a block is known by
// the ID of its "Start Parallel" row; start and end lines pair as a stack does (the innermost open
// block closes first), whatever kind of block encloses them.

#include <QList>

class CSharedParallelBlockStructure {
public:
    explicit CSharedParallelBlockStructure(long stepID); // an unreadable recipe has no blocks

    // The innermost parallel block holding the operation; -1 when none does.
    long getParallelBlockID(long operationID) const;
    // The operations inside the block, nested blocks included, in recipe order.
    QList<long> getParallelOperationSet(long blockID) const;
    bool isOperationInParallelBlock(long operationID) const { return getParallelBlockID(operationID) > -1; }

private:
    struct Block {
        long id = -1;
        QList<long> operations;
    };
    QList<Block> m_blocks;                       // in order of their start lines
    QList<std::pair<long, long>> m_innermost;    // operation -> innermost parallel block
};
