// Walking stored transitions in run order, depth first: the item pushed last is taken next, and
// the item a block's end enters is taken once, after the last of its branches. No item is taken
// twice, so a cycle or a doubled edge ends the walk; the lists stay within count+1 pending and
// 2*count+1 taken entries.

#include "recipe/transitions/TransitionBuilder.h"

#include "recipe/transitions/RecipeKeywords.h"

#include <QSet>
#include <vector>

namespace {

struct PendingItem {
    long id;
    bool taken;
};

bool opensPath(const QString& type)
{
    return IsRecipeType(type, SERIES_KEYWORD) || IsBlockStart(type);
}

// Every other transition into the target leaves an item already walked.
bool allBranchesWalked(const Array<TransitionRecord>& transitions, long count, long from, long to,
                       const QSet<long>& walked)
{
    for (long i = 0; i < count; ++i) {
        const TransitionRecord& t = transitions[i];
        if (t.ToID == to && t.FromID != from && !walked.contains(t.FromID))
            return false;
    }
    return true;
}

class CTransitionWalker {
public:
    CTransitionWalker(const Array<TransitionRecord>& transitions, long count)
        : m_transitions(transitions), m_count(count)
    {
    }

    QList<long> Walk(long startIndex)
    {
        Push(m_transitions[startIndex].FromID);
        while (!m_pending.empty()) {
            TakeTop();
            while (!m_pending.empty() && m_pending.back().taken)
                m_pending.pop_back();
        }
        return m_order;
    }

private:
    void Push(long id)
    {
        if (!m_walked.contains(id) && long(m_pending.size()) < m_count + 1)
            m_pending.push_back({id, false});
    }

    void TakeTop()
    {
        PendingItem& top = m_pending.back();
        top.taken = true;
        const long id = top.id;
        if (m_walked.contains(id) || long(m_order.size()) >= 2 * m_count + 1)
            return;
        m_walked.insert(id);
        m_order.append(id);
        for (long i = 0; i < m_count; ++i) {
            const TransitionRecord& t = m_transitions[i];
            if (t.FromID != id)
                continue;
            if (opensPath(t.TransitionType) ||
                (IsBlockEnd(t.TransitionType) &&
                 allBranchesWalked(m_transitions, m_count, id, t.ToID, m_walked)))
                Push(t.ToID);
        }
    }

    const Array<TransitionRecord>& m_transitions;
    long m_count;
    std::vector<PendingItem> m_pending;
    QSet<long> m_walked;
    QList<long> m_order;
};

} // namespace

void CTransitionBuilder::WalkTransitions(const QString&, long, const Array<TransitionRecord>& transitions,
                                         long count, long startIndex, long& counter, Array<RecipeRow>& walk)
{
    count = std::min(count, transitions.GetSize());
    if (count <= 0 || startIndex < 0 || startIndex >= count)
        return;
    for (long id : CTransitionWalker(transitions, count).Walk(startIndex)) {
        RecipeRow row;
        row.ID = id;
        walk.Add(row);
        ++counter;
    }
}
