#pragma once
// The rows an edit of the text-recipe view changed, written once at its end: the state of every
// line's row is taken before the edit; afterwards the rows of lines that left are deleted, and
// rows whose values differ from what the lines now say are updated, each in one statement the
// step's connection keeps prepared: runs of rows that only moved by ranges of old sequence numbers
// (see RecipeRowShifts.h), the others by row key. Operations whose owning unit procedure changed
// get it in one more. Runs inside the caller's transaction; errors raise CDaoException.

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

class CDaoDatabase;
class CRecipeButton;
struct RecipeLineRecord;

// What a line's TextRecipe row holds.
struct RecipeRowState {
    int kind = 0; // RecipeLineType
    long sequence = 0;
    long id = 0;
    int indent = 1;
    QString label;
    long opNumber = 0;
    long upNumber = 0;
    bool hide = false;
    bool breakpoint = false;

    bool operator==(const RecipeRowState&) const = default;
};

// The rows and operation owners the lines stand for, by row key and operation id.
struct RecipeLinesState {
    QHash<long, RecipeRowState> rows;
    QHash<long, long> owners; // operation id -> unit procedure id
};

// A line's row in line order, with the unit procedure that owns it (-1: none): a snapshot that
// is cheap to take for every line.
struct RecipeLineRow {
    long rowKey = 0;
    long owner = -1;
    RecipeRowState row;

    bool operator==(const RecipeLineRow&) const = default;
};

class CRecipeEditWriter {
public:
    static QList<RecipeLineRow> RowsOf(const QList<CRecipeButton*>& lines);
    // The same of the lines [from, to) alone: what RowsOf(lines).mid(from, to - from) holds.
    static QList<RecipeLineRow> RowsOf(const QList<CRecipeButton*>& lines, qsizetype from, qsizetype to);
    // The states of the rows between the head and the tail that before and after share (the same
    // rows at the same places with the same owners): nothing outside them can differ.
    static std::pair<RecipeLinesState, RecipeLinesState> ChangedStates(const QList<RecipeLineRow>& before,
                                                                       const QList<RecipeLineRow>& after);
    // The same, the shared ends already known.
    static std::pair<RecipeLinesState, RecipeLinesState> ChangedStates(const QList<RecipeLineRow>& before,
                                                                       const QList<RecipeLineRow>& after,
                                                                       std::pair<qsizetype, qsizetype> ends);
    // How many lines at the head and at the tail before and after share.
    static std::pair<qsizetype, qsizetype> SharedEnds(const QList<RecipeLineRow>& before,
                                                      const QList<RecipeLineRow>& after);
    static RecipeLinesState StateOf(const QList<CRecipeButton*>& lines);
    // The same of lines read without a view.
    static RecipeLinesState StateOf(const QList<RecipeLineRecord>& lines);
    // What the row of that line holds at that sequence number.
    static RecipeRowState RowStateOf(const RecipeLineRecord& line, long sequence);
    // Deletes and updates what differs between before and after; answers the rows written.
    static int Write(CDaoDatabase& step, long stepID, const RecipeLinesState& before,
                     const RecipeLinesState& after);
    // The same of two snapshots in line order and their shared ends. The rows at the end of the
    // changed lines that only moved (see CRecipeRowShifts::FindAligned) go by their ranges without
    // a state of theirs; the states hold the other changed lines alone.
    static int Write(CDaoDatabase& step, long stepID, const QList<RecipeLineRow>& before,
                     const QList<RecipeLineRow>& after, std::pair<qsizetype, qsizetype> ends);
    // The operations whose generated text the edit made stale: those now under another unit
    // procedure (another vessel), and those of a unit procedure now followed by another one (a
    // transfer names where it goes). Only these are regenerated, inside the caller's transaction;
    // answers their ids, for the views to show the new texts once the edit is committed.
    static QList<long> RegenerateMovedTexts(long stepID, const RecipeLinesState& before,
                                            const RecipeLinesState& after);
    // The operations RegenerateMovedTexts regenerates, nothing written.
    static QList<long> StaleOperations(const RecipeLinesState& before, const RecipeLinesState& after);
    // Regenerates the operations' texts together inside the caller's transaction; answers those
    // whose stored text may have changed.
    static QList<long> RegenerateTexts(long stepID, const QList<long>& operationIDs);
    // The same of two snapshots in line order and their shared ends; owners are compared only
    // between the shared head and tail, where alone they can differ.
    static QList<long> RegenerateMovedTexts(long stepID, const QList<RecipeLineRow>& before,
                                            const QList<RecipeLineRow>& after,
                                            std::pair<qsizetype, qsizetype> ends);
    // The operations of those two snapshots whose texts went stale, in line order; only the lines
    // between the last unit procedure above the changed ones and the first below them are read.
    // addedOwners: operations the edit added, each with the unit procedure it was written under;
    // such an operation counts as moved only when it is now under another one.
    static QList<long> StaleOperations(const QList<RecipeLineRow>& before, const QList<RecipeLineRow>& after,
                                       std::pair<qsizetype, qsizetype> ends,
                                       const QHash<long, long>& addedOwners = {});
    // Whether the edit changed the recipe's structure: the unit-procedure and keyword lines, their
    // order or whether they are hidden (not their numbers). Only such an edit can change where the
    // unit procedures' contents go.
    static bool ChangesStructure(const QList<RecipeLineRow>& before, const QList<RecipeLineRow>& after,
                                 std::pair<qsizetype, qsizetype> ends);
    static bool ChangesStructure(const RecipeLinesState& before, const RecipeLinesState& after);
    // After such an edit, inside the caller's transaction: the step's unit-procedure transitions are
    // brought up to date (recipe/transitions/UnitProcedureTransitionRefresh.h) and the operations of
    // the unit procedures whose transitions changed join stale, each once (a transfer names where
    // it goes by them).
    // onlyOnceBuilt: for an edit that makes no block, nothing is done in a step whose transitions
    // were never built (its texts go by recipe order).
    static void AddNewDestinations(long stepID, QList<long>& stale, bool onlyOnceBuilt = false);
    // The operation lines of the step's views take their regenerated texts, each view laid out once.
    static void ShowRegeneratedTexts(long stepID, const QList<long>& operationIDs);
};
