#pragma once
// The context menu "Text Recipe" of a recipe view: the insert commands (unit procedure, the
// operation submenus, keywords, favourites), breakpoints, the line edits (clipboard, moves,
// indents, hide, constraints) and printing, enabled, checked and named as the view says.

#include <QMenu>
#include <functional>

class CommandTarget;

void FillRecipeContextMenu(QMenu& menu, const CommandTarget& target, const std::function<void(int)>& run);
