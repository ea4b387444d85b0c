#pragma once
// The places where later features plug into start-up and shut-down. An empty hook does nothing
// (or answers as noted).

#include <QString>

#include <functional>

struct AppHooks {
    std::function<bool()> initializeEngine;             // false ends start-up; empty = ready
    std::function<bool(QString& path)> prepareCommandLineFile; // unpack, access and version checks
    std::function<void()> renameOldUserTemplates;
    std::function<void()> createOperatingInstructionsEntry;
    std::function<void(const QString& path)> openProjectFile; // command line, recent files, drops
    std::function<void()> chooseStartupProject;
    std::function<void()> freeModuleEntries;
};
