#pragma once
// True while a database transaction or an engine call is under way. Commands, drops, the main
// window's close and the auto-save are refused meanwhile, since a run pumps events.

class CBusyScope {
public:
    CBusyScope();
    ~CBusyScope();
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;
};

bool IsBusy();
