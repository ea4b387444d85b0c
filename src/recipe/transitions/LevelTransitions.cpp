#include "recipe/transitions/LevelTransitions.h"

#include "foundation/common/MessageBox.h"
#include "recipe/transitions/RecipeKeywords.h"
#include "recipe/transitions/StructureMessages.h"

CLevelTransitions::CLevelTransitions(const QString& kind, const Array<RecipeRow>& rows, long ownerID,
                                     long startID, const TransitionIdMaker& newID)
    : m_kind(kind), m_rows(rows), m_ownerID(ownerID), m_startID(startID), m_newID(newID),
      m_pair(size_t(rows.GetSize()), -1), m_depth(size_t(rows.GetSize()), 1)
{
}

bool CLevelTransitions::IsType(long index, const QString& type) const
{
    return index >= 0 && index < Count() && IsRecipeType(m_rows[index].Type, type);
}

bool CLevelTransitions::Build(Array<TransitionRecord>& out, StructureCheckResult& result)
{
    if (Count() == 0)
        return true;
    if (!PairBlocks(START_PARALLEL, END_PARALLEL, result) || !PairBlocks(START_OR, END_OR, result))
        return false;
    ComputeDepths();
    if (!CheckBranches(result) || !CheckStraySeries(result))
        return false;
    if (IsKind(0))
        Add(out, m_newID(), m_startID, m_rows[0].ID, SERIES_KEYWORD);
    for (long i = 0; i + 1 < Count(); ++i) {
        if (!EmitRow(i, out, result))
            return false;
    }
    return true;
}

// A Start left open only warns: it has no End, so the branch rule refuses it next.
bool CLevelTransitions::PairBlocks(const QString& start, const QString& end, StructureCheckResult& result)
{
    std::vector<long> open;
    for (long i = 0; i < Count(); ++i) {
        if (IsType(i, start)) {
            open.push_back(i);
        } else if (IsType(i, end)) {
            if (open.empty())
                return result.Fail(UNBALANCED_BLOCKS, MB_ICONEXCLAMATION);
            m_pair[size_t(i)] = open.back();
            m_pair[size_t(open.back())] = i;
            open.pop_back();
        }
    }
    if (!open.empty())
        result.Warn(UNBALANCED_BLOCKS);
    return true;
}

// Each block adds one to every row from its Start through its End.
void CLevelTransitions::ComputeDepths()
{
    std::vector<long> change(size_t(Count()) + 1, 0);
    for (long i = 0; i < Count(); ++i) {
        if (IsBlockStart(m_rows[i].Type) && m_pair[size_t(i)] > i) {
            ++change[size_t(i)];
            --change[size_t(m_pair[size_t(i)]) + 1];
        }
    }
    long depth = 1;
    for (long i = 0; i < Count(); ++i)
        m_depth[size_t(i)] = depth += change[size_t(i)];
}

bool CLevelTransitions::IsBranchSeries(long row, long blockRow) const
{
    return IsType(row, SERIES_KEYWORD) && m_depth[size_t(row)] == m_depth[size_t(blockRow)];
}

long CLevelTransitions::CountBranches(long start) const
{
    long branches = 0;
    for (long r = start; r < m_pair[size_t(start)]; ++r)
        branches += IsBranchSeries(r, start) ? 1 : 0;
    return branches;
}

bool CLevelTransitions::CheckBranches(StructureCheckResult& result) const
{
    for (long i = 0; i < Count(); ++i) {
        if (IsBlockStart(m_rows[i].Type) && (m_pair[size_t(i)] <= i || CountBranches(i) < 2))
            return result.Fail(SERIES_MISSING, MB_ICONEXCLAMATION);
    }
    return true;
}

bool CLevelTransitions::CheckStraySeries(StructureCheckResult& result) const
{
    long r = 0;
    while (r < Count() && !IsType(r, SERIES_KEYWORD))
        r = IsBlockStart(m_rows[r].Type) ? m_pair[size_t(r)] + 1 : r + 1;
    if (r >= Count())
        return true;
    if (r > 0)
        return result.Fail(EXCESS_SERIES_AFTER.arg(NearestLabel(r - 1, -1)), MB_OK);
    return result.Fail(EXCESS_SERIES_BEFORE.arg(NearestLabel(r + 1, 1)), MB_OK);
}

// The first non-empty label from the row on in the direction; "" when the level has none there.
QString CLevelTransitions::NearestLabel(long from, long direction) const
{
    for (long i = from; i >= 0 && i < Count(); i += direction) {
        if (!m_rows[i].Label.isEmpty())
            return m_rows[i].Label;
    }
    return QString();
}

bool CLevelTransitions::EmitRow(long i, Array<TransitionRecord>& out, StructureCheckResult& result)
{
    const QString& type = m_rows[i].Type;
    const bool itemFollows = IsKind(i + 1);
    if (IsKind(i) && itemFollows) {
        Add(out, m_newID(), m_rows[i].ID, m_rows[i + 1].ID, SERIES_KEYWORD);
    } else if (IsBlockStart(type)) {
        const bool parallel = IsRecipeType(type, START_PARALLEL);
        if (i > 0 && !IsKind(i - 1))
            return result.Fail(parallel ? IEC_START_PARALLEL : IEC_START_OR, MB_ICONEXCLAMATION);
        EmitStarts(i, parallel ? START_PARALLEL : START_OR, out);
    } else if (IsRecipeType(type, SERIES_KEYWORD) && !itemFollows) {
        return result.Fail(IEC_SERIES, MB_ICONEXCLAMATION);
    } else if (IsBlockEnd(type)) {
        const bool parallel = IsRecipeType(type, END_PARALLEL);
        if (!itemFollows)
            return result.Fail(parallel ? IEC_END_PARALLEL : IEC_END_OR, MB_ICONEXCLAMATION);
        EmitEnds(i, parallel ? END_PARALLEL : END_OR, out);
    }
    return true;
}

// From the item before the block (START when the block opens the level) to each branch's first row.
void CLevelTransitions::EmitStarts(long i, const QString& type, Array<TransitionRecord>& out)
{
    const bool shared = type == START_PARALLEL;
    const QString blockID = shared ? m_newID() : QString();
    const long from = i == 0 ? m_startID : m_rows[i - 1].ID;
    for (long s = i + 1; s < m_pair[size_t(i)]; ++s) {
        if (IsBranchSeries(s, i))
            Add(out, shared ? blockID : m_newID(), from, m_rows[s + 1].ID, type);
    }
}

// From each branch's last row to the item after the block.
void CLevelTransitions::EmitEnds(long i, const QString& type, Array<TransitionRecord>& out)
{
    const bool shared = type == END_PARALLEL;
    const QString blockID = shared ? m_newID() : QString();
    for (long r = m_pair[size_t(i)] + 2; r <= i; ++r) {
        if (r == i || IsBranchSeries(r, i))
            Add(out, shared ? blockID : m_newID(), m_rows[r - 1].ID, m_rows[i + 1].ID, type);
    }
}

void CLevelTransitions::Add(Array<TransitionRecord>& out, const QString& id, long from, long to,
                            const QString& type) const
{
    out.Add({id, from, to, m_ownerID, type});
}
