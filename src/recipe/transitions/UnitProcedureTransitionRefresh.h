#pragma once
// Keeps a step's stored unit-procedure transitions in step with its recipe between runs, for the
// texts that name where a transfer goes: after an edit of the recipe's structure they are built
// again from the visible recipe rows (a run of operations counts as one) and written where they
// differ, inside the caller's transaction. A recipe that fails its structure check (an edit half
// done) keeps the stored transitions and says nothing; the run's own build reports it.

#include <QSet>

class CDaoDatabase;

// The unit procedures whose destinations the refresh changed (the unit procedures they go to, or
// whether into a block's choices or branches); none when nothing changed. A step whose transitions
// were never built counts as going by recipe order, as its texts did. Raises CDaoException on a
// failed read or write.
// onlyOnceBuilt: nothing is read or written for a step without stored transitions (its texts go by
// recipe order, which an edit that makes no block keeps right).
QSet<long> RefreshUnitProcedureTransitions(CDaoDatabase& step, long stepID, bool onlyOnceBuilt = false);
