#pragma once
// The Starts-After constraints a move of recipe lines touches: the links collected for the moved
// items and the constraint rows the check sorts into kept and invalid ones; and the set-based
// writes that keep every constraint row naming items on the recipe.

#include <QList>
#include <QString>

#include <utility>

inline const QString STARTS_AFTER = QStringLiteral("Starts-After");

// One moved item: what starts after it (successors) and what it starts after (predecessors).
struct StartAfterLink {
    int kind = 0; // 1 unit procedure, 2 operation
    long itemID = -1;
    int targetIndex = -1; // the line at whose place the item lands; -1 the top
    QList<long> successors;
    QList<long> predecessors;
};

// One constraint row: current starts after parameter. direction 0: the other item starts after the
// moved one; 1: the moved item starts after the other.
struct ConstraintRef {
    long currentID = -1;
    long parameterID = -1;
    int kind = 0;
    int direction = 0;
};

class CDaoDatabase;

// Deletes the constraint rows of the step either of whose items no longer has a recipe line: what
// a delete or a cut leaves naming lines that are gone. Two statements, whatever the step's size.
void DeleteConstraintsOffTheRecipe(CDaoDatabase& step, long stepID);

// A move within one window cuts its lines and pastes them as new items: the constraint rows of
// any other logic (Parallel-To) naming a moved item follow it to its new id. Pairs (old id, new
// id); one statement per table.
void CarryConstraintsOfMoved(CDaoDatabase& step, const QList<std::pair<long, long>>& operations,
                             const QList<std::pair<long, long>>& unitProcedures);
