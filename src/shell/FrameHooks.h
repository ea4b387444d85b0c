#pragma once
// The places where later features plug into the main frame. Each is empty until its feature is
// built; an empty hook does nothing (or answers as noted).

#include "shell/ContextRecord.h"

#include <QString>

#include <functional>

struct FrameHooks {
    // Project hand-over, called in this order by OnProjectOpened.
    std::function<void()> rebuildPanes;
    std::function<void()> reopenResultWindows;
    std::function<bool()> createEngineEntry; // true when the project has an engine object now
    std::function<void()> loadRecipeCommentTypes;
    std::function<void()> buildAutomationModel; // only while automation is active
    std::function<void()> deleteAutomationModel;

    // Project close; false when the user cancelled or the save failed. Empty = nothing to close.
    std::function<bool()> closeCurrentProject;
    std::function<void()> closeDocuments;       // every document and linked window of the project
    std::function<void()> hideModelessDialogs;
    std::function<void()> autoSave;             // the save of timer 2
    std::function<bool()> isBusy;               // engine call or transaction under way
    std::function<void()> openNewStepDatabases; // on the refresh-panes notification

    // Context and state the frame's rules read.
    std::function<void(ContextRecord&)> computeContext; // fills kind and selection
    std::function<bool(const ContextRecord&)> resultFilesExist;

    // Views and pane content.
    std::function<void(bool insertAfter, bool insertBefore)> applyInsertMode; // to every recipe view
    std::function<void()> saveWindowPositions;
    std::function<void()> saveChemistryDocuments;
    std::function<void()> hideProjectInfoDialog;
    std::function<void()> waitForUpdateDatabase; // flush before managed calls

    // A file chosen from the recent-file list or dropped on the window.
    std::function<void(const QString& path)> openProjectFile;
};
