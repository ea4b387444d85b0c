#pragma once
// Node levels, selection kinds and icon ids of the Process Explorer tree.

#include <Qt>

// The level of a node (0: no node).
enum ProcessTreeLevel : int {
    LEVEL_NONE = 0,
    LEVEL_PROCESS = 2,
    LEVEL_STEP = 3,
    LEVEL_UNIT_PROCEDURE = 4,
    LEVEL_OPERATION = 5,
};

// The kind of the selected node: its level and whether it has children.
enum ProcessTreeKind : int {
    KIND_NONE = 0,
    KIND_PROCESS = 2,
    KIND_STEP = 3,
    KIND_UNIT_PROCEDURE = 4,
    KIND_EMPTY_PROCESS = 5,
    KIND_EMPTY_STEP = 6,
    KIND_EMPTY_UNIT_PROCEDURE = 7,
    KIND_OPERATION = 8,
};

// Icon resource ids: a node shows the first while it does not have the caret.
enum ProcessTreeIcon : int {
    ICON_PROCESS = 424,
    ICON_PROCESS_SELECTED = 426,
    ICON_STEP = 423,
    ICON_STEP_SELECTED = 425,
    ICON_LINKED_STEP = 169,
    ICON_LINKED_STEP_SELECTED = 168,
    ICON_UNIT_PROCEDURE = 161,
    ICON_UNIT_PROCEDURE_SELECTED = 135,
    ICON_OPERATION = 163,
    ICON_OPERATION_SELECTED = 149,
    ICON_HIDDEN_OPERATION = 468,
    ICON_HIDDEN_OPERATION_SELECTED = 467,
};

// Item data of a node: its database id and its normal icon id.
constexpr int NODE_ID_ROLE = Qt::UserRole;
constexpr int NODE_ICON_ROLE = Qt::UserRole + 1;
