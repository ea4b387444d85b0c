#pragma once
// One level of a recipe (the unit procedures of a step, or the operations of one unit procedure):
// its block rules and the transitions it yields, in one pass. Items of the level's kind follow one
// another in series; a parallel block shares one id among its starts and one among its ends, an
// alternative block gives each branch its own. A block that ends the level gets no end records.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeRow.h"
#include "recipe/transitions/StructureCheckResult.h"
#include "recipe/transitions/TransitionRecord.h"

#include <vector>

class CLevelTransitions {
public:
    // kind: "Unit Procedure" or "Operation"; startID: the level's START item.
    CLevelTransitions(const QString& kind, const Array<RecipeRow>& rows, long ownerID, long startID,
                      const TransitionIdMaker& newID);

    // Appends the level's transitions; false at the first failing rule, its message in the result.
    bool Build(Array<TransitionRecord>& out, StructureCheckResult& result);

private:
    bool PairBlocks(const QString& start, const QString& end, StructureCheckResult& result);
    void ComputeDepths();
    bool CheckBranches(StructureCheckResult& result) const;
    long CountBranches(long start) const;
    bool CheckStraySeries(StructureCheckResult& result) const;
    QString NearestLabel(long from, long direction) const;
    bool EmitRow(long i, Array<TransitionRecord>& out, StructureCheckResult& result);
    void EmitStarts(long i, const QString& type, Array<TransitionRecord>& out);
    void EmitEnds(long i, const QString& type, Array<TransitionRecord>& out);
    void Add(Array<TransitionRecord>& out, const QString& id, long from, long to, const QString& type) const;
    bool IsBranchSeries(long row, long blockRow) const;
    bool IsType(long index, const QString& type) const;
    bool IsKind(long index) const { return IsType(index, m_kind); }
    long Count() const { return m_rows.GetSize(); }

    QString m_kind;
    const Array<RecipeRow>& m_rows;
    long m_ownerID;
    long m_startID;
    TransitionIdMaker m_newID;
    std::vector<long> m_pair;
    std::vector<long> m_depth;
};
