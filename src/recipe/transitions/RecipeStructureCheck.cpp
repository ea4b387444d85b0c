#include "recipe/transitions/RecipeStructureCheck.h"

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/StructureMessages.h"

CRecipeStructureCheck::CRecipeStructureCheck(const Array<RecipeRow>& rows)
    : m_rows(rows), m_pair(size_t(rows.GetSize()), -1)
{
}

bool CRecipeStructureCheck::IsType(long index, const QString& type) const
{
    return index >= 0 && index < m_rows.GetSize() && IsRecipeType(m_rows[index].Type, type);
}

bool CRecipeStructureCheck::CheckStep(StructureCheckResult& result)
{
    return PairBlocks(START_PARALLEL, END_PARALLEL, START_PARALLEL_NEEDS_SERIES, result) &&
           PairBlocks(START_OR, END_OR, START_OR_NEEDS_SERIES, result) && CheckUnitProcedureBlocks(result) &&
           CheckOperationBlocks(result);
}

// An End met while no Start of its kind is open is passed over here; the level rules refuse it.
bool CRecipeStructureCheck::PairBlocks(const QString& start, const QString& end, const QString& followMessage,
                                       StructureCheckResult& result)
{
    std::vector<long> open;
    for (long i = 0; i < m_rows.GetSize(); ++i) {
        if (IsType(i, start)) {
            open.push_back(i);
            if (!IsType(i + 1, SERIES_KEYWORD))
                return result.Fail(followMessage, MB_ICONEXCLAMATION);
        } else if (IsType(i, end) && !open.empty()) {
            m_pair[size_t(i)] = open.back();
            m_pair[size_t(open.back())] = i;
            open.pop_back();
        }
    }
    return open.empty() || result.Fail(UNBALANCED_BLOCKS, MB_ICONEXCLAMATION);
}

bool CRecipeStructureCheck::CheckUnitProcedureBlocks(StructureCheckResult& result) const
{
    for (long i = 0; i < m_rows.GetSize(); ++i) {
        if (!IsBlockStart(m_rows[i].Type) || !IsType(i + 2, UNIT_PROCEDURE_TYPE))
            continue;
        const long after = m_pair[size_t(i)] + 1;
        if (after < m_rows.GetSize() && !IsType(after, UNIT_PROCEDURE_TYPE))
            return result.Fail(PARALLEL_UNIT_PROCEDURES_END, MB_ICONEXCLAMATION);
    }
    return true;
}

bool CRecipeStructureCheck::CheckOperationBlocks(StructureCheckResult& result) const
{
    for (long i = 0; i < m_rows.GetSize(); ++i) {
        if (!IsBlockStart(m_rows[i].Type) || !IsType(i + 2, OPERATION_TYPE))
            continue;
        for (long j = i + 3; j < m_pair[size_t(i)]; ++j) {
            if (IsType(j, UNIT_PROCEDURE_TYPE))
                return result.Fail(PARALLEL_OPERATIONS_WITHIN, MB_ICONEXCLAMATION);
        }
    }
    return true;
}
