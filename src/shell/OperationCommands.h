#pragma once
// The insert-operation commands of the Edit menu and the recipe context menu. The recipe view
// handles them; the frame only lays them out in their submenus.

#include <vector>

struct OperationCommand {
    int id;
    const char* menuText;
    const char* prompt;
    const char* tooltip;
    const char* groups; // "B A-D", "C", "Bio", "Ch", "S", comma-separated
};

const std::vector<OperationCommand>& OperationCommands();
