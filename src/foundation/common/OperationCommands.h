#pragma once
// The insert-operation commands of the Edit menu and the recipe context menu: one per operation
// type of the catalogue, generated from data/operations.csv at build time. The recipe view handles
// them; the frame lays them out in their submenus.

#include <span>

struct OperationCommand {
    int id; // command id
    const char* menuText;
    const char* prompt; // status-bar text
    const char* tooltip;
    const char* groups; // submenus, '|'-separated: "B A-D", "B E-L", "B M-Q", "B R-Z", "C", "Bio", "Ch", "S"
    long operationTypeID;
    const char* operationTypeName;
};

// In catalogue order, which is also their order within each submenu.
std::span<const OperationCommand> OperationCommands();
// nullptr when no insert-operation command has that command id.
const OperationCommand* FindOperationCommand(int commandID);
// nullptr when the catalogue has no such operation type.
const OperationCommand* FindOperationCommandForType(long operationTypeID);
