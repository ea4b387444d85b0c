#pragma once
// The twelve 16 x 16 icons of the Process Explorer: each node kind's normal icon with its
// selected twin (shown while the node has the caret).

#include <QIcon>

// The icon of a node whose normal icon id is normalID (ProcessTreeIcon); null for an unknown id.
QIcon ProcessTreeNodeIcon(int normalID);
// How many of the twelve images could be drawn.
int ProcessTreeImageCount();
