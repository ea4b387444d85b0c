#pragma once
// The runs of TextRecipe rows that an edit only moved: rows next to each other in their old
// sequence numbers whose new values follow from the old ones by the same amounts (sequence
// numbers, with keyword ids; unit-procedure numbers and operation numbers, with their labels).
// A delete or a long move changes thousands of rows this way; each run is written by one range in
// one statement instead of row by row.

#include "recipe/view/RecipeEditWriter.h"

#include <QList>
#include <QSet>

struct RecipeRowShift {
    long firstSequence = 0; // old sequence numbers, both included
    long lastSequence = 0;
    long sequenceDelta = 0;
    long unitProcedureDelta = 0; // unit procedures and operations
    long operationDelta = 0;     // operations only
    int rows = 0;
    QList<long> keywordRowKeys; // their ids move with their sequence numbers
};

// The rows at the end of an edit's changed lines that are the same rows, only moved: each row
// there stands as far from the end of the changed lines as before (a block deleted, inserted or
// pasted above them moves everything below alike).
struct AlignedRowShifts {
    qsizetype rows = 0;              // how many lines at the end of the changed lines, before and after
    QList<RecipeRowShift> shifts;    // their runs of at least MIN_RUN rows
    QSet<long> loose;                // the row keys among them that no run holds
};

class CRecipeRowShifts {
public:
    // Runs shorter than this are left to the row-by-row write.
    static constexpr int MIN_RUN = 3;

    // The runs of at least MIN_RUN rows; rowKeys receives the rows they cover. None when two old
    // rows share a sequence number (a range could not tell them apart).
    static QList<RecipeRowShift> Find(const RecipeLinesState& before, const RecipeLinesState& after,
                                      QSet<long>* rowKeys);
    // The same of two snapshots in line order, found by walking back from the end of the lines
    // between their shared head and tail: a row belongs to the aligned end while it is the same
    // row under the same owner and has only moved. No hash of the rows is built.
    static AlignedRowShifts FindAligned(const QList<RecipeLineRow>& before, const QList<RecipeLineRow>& after,
                                        std::pair<qsizetype, qsizetype> ends);
};
