#include "modules/sharedclasses/SharedParallelBlockStructure.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

namespace {
bool IsBlockType(const QString& type, const char* keyword)
{
    return type.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}
} // namespace

CSharedParallelBlockStructure::CSharedParallelBlockStructure(long stepID)
{
    buildParallelBlockList(stepID);
}

bool CSharedParallelBlockStructure::buildParallelBlockList(long stepID)
{
    clear();
    try {
        readRows(stepID);
    } catch (const CDaoException&) {
        clear();
    }
    if (m_read)
        buildBlocks();
    return m_read;
}

void CSharedParallelBlockStructure::clear()
{
    m_read = false;
    m_rows.clear();
    m_itemRows.clear();
    m_blocks.clear();
    m_innermost.clear();
    m_laterSeriesBlock.clear();
    m_firstOfFirst.clear();
    m_firstOfLater.clear();
}

void CSharedParallelBlockStructure::readRows(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return;
    m_rows = ReadTextRecipeRows(*step, stepID);
    for (int index = int(m_rows.size()) - 1; index >= 0; --index) { // the first row of an item wins
        const CDataExchangeTextRecipe& row = m_rows.at(index);
        if (row.IsOperation() || row.IsUnitProcedure())
            m_itemRows.insert(itemKey(row.ID, row.IsUnitProcedure()), index);
    }
    m_read = true;
}

void CSharedParallelBlockStructure::buildBlocks()
{
    QList<OpenBlock> open;
    QList<std::pair<int, int>> pending; // (block, series) still waiting for their first operation
    for (const CDataExchangeTextRecipe& row : std::as_const(m_rows)) {
        const QString& type = row.Type;
        if (IsBlockType(type, "Start Parallel")) {
            open.append(OpenBlock{int(m_blocks.size())});
            m_blocks.append(Block{row.ID, {}, {}});
        } else if (IsBlockType(type, "Start Or")) {
            open.append(OpenBlock{-1});
        } else if ((IsBlockType(type, "End Parallel") || IsBlockType(type, "End Or")) && !open.isEmpty()) {
            open.removeLast();
        } else if (IsBlockType(type, "Series") && !open.isEmpty() && open.last().block >= 0) {
            Block& block = m_blocks[open.last().block];
            pending.append({open.last().block, int(block.seriesFirst.size())});
            block.seriesFirst.append(-1);
        } else if (row.IsOperation()) {
            addOperation(row.ID, open, pending);
        }
    }
}

void CSharedParallelBlockStructure::addOperation(long operationID, const QList<OpenBlock>& open,
                                                 QList<std::pair<int, int>>& pending)
{
    int innermost = -1;
    for (const OpenBlock& entry : open) {
        if (entry.block >= 0) {
            m_blocks[entry.block].operations << operationID;
            innermost = entry.block;
        }
    }
    if (innermost >= 0)
        m_innermost.insert(operationID, m_blocks.at(innermost).id);
    for (const auto& [block, series] : std::as_const(pending)) {
        m_blocks[block].seriesFirst[series] = operationID;
        if (series == 0) {
            m_firstOfFirst.insert(operationID);
        } else {
            m_firstOfLater.insert(operationID);
            m_laterSeriesBlock.insert(operationID, block);
        }
    }
    pending.clear();
}

QList<long> CSharedParallelBlockStructure::getParallelOperationSet(long blockID) const
{
    for (const Block& block : m_blocks) {
        if (block.id == blockID)
            return block.operations;
    }
    return {};
}

bool CSharedParallelBlockStructure::getParallelOperationSet(QList<long>& operations, long operationID) const
{
    operations.clear();
    if (const auto later = m_laterSeriesBlock.constFind(operationID); later != m_laterSeriesBlock.cend())
        operations = m_blocks.at(later.value()).operations;
    else if (isOperationInParallelBlock(operationID))
        operations = getParallelOperationSet(getParallelBlockID(operationID));
    return !operations.isEmpty();
}

const CDataExchangeTextRecipe* CSharedParallelBlockStructure::findRow(long itemID, const QString& type) const
{
    const bool unitProcedure = IsBlockType(type, "Unit Procedure");
    if (!unitProcedure && !IsBlockType(type, "Operation"))
        return nullptr;
    const auto found = m_itemRows.constFind(itemKey(itemID, unitProcedure));
    return found == m_itemRows.cend() ? nullptr : &m_rows.at(found.value());
}

bool CSharedParallelBlockStructure::readDescription(long itemID, const QString& type, QString& name,
                                                    QString& label) const
{
    const CDataExchangeTextRecipe* row = findRow(itemID, type);
    if (!row)
        return false;
    name = row->IsUnitProcedure() ? row->UnitProcedureName : row->OperationName;
    label = row->Label;
    return true;
}

long CSharedParallelBlockStructure::getRecipeSequenceNumber(long itemID, const QString& type) const
{
    const CDataExchangeTextRecipe* row = findRow(itemID, type);
    return row ? row->RecipeSequenceNumber : 0;
}

bool CSharedParallelBlockStructure::isOperationAvailableOnTextRecipe(long operationID) const
{
    return m_itemRows.contains(itemKey(operationID, false));
}

bool CSharedParallelBlockStructure::isUnitProcedureAvailableOnTextRecipe(long unitProcedureID) const
{
    return m_itemRows.contains(itemKey(unitProcedureID, true));
}
