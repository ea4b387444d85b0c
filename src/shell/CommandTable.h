#pragma once
// The one table of the main menu's commands: where each sits, its text, its status-bar prompt
// and whether it also sits on the toolbar. The insert-operation commands are laid out from their
// own table (foundation/common/OperationCommands.h) at the marked place.

#include <vector>

struct CommandInfo {
    int id;               // 0 = separator
    const char* menuPath; // "&File", "&File/&Import", ...
    const char* text;     // menu text; "\t" starts the shortcut
    const char* prompt;   // status-bar text
    bool onToolbar = false;
    bool checkable = false;
    bool htmlView = false; // shown only while an HTML view is active (its menu and toolbar 360)
};

// Marker row: the insert-operation submenus go here.
constexpr int INSERT_OPERATION_MENUS = -1;
// Marker row: the recent-file entries go here.
constexpr int RECENT_FILE_ENTRIES = -2;
// Marker row: the "Recent Custom Reports" entries go here (rebuilt each time the menu opens).
constexpr int RECENT_CUSTOM_REPORT_ENTRIES = -3;

const std::vector<CommandInfo>& CommandTable();
