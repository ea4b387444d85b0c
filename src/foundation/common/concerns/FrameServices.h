#pragma once
// What the foundation and the subsystems may ask of the main frame, split by concern; each concern
// has its own slot. The main frame implements them; tests install recording fakes of the ones they
// need. Without one installed, callers do nothing; every member's default body does the same (a
// question answers no), so an implementation overrides only what it serves.

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

class ProjectLifecycleServices {
public:
    virtual ~ProjectLifecycleServices() = default;
    // The hand-over of a project the projects code has just opened.
    virtual void OnProjectOpened(bool /*newProject*/) {}
    // The end of a close: engine object, automation model, panes, title and command states.
    virtual void OnProjectClosed() {}
    // The frame's part of a close: documents, dialogs, panes, timer, title.
    virtual void CloseAllViews() {}
    virtual void SaveWindowPositions() {}
    virtual void SaveChemistryDocuments() {}
    virtual void SetProjectTitle(const QString& /*title*/) {}
    // A folder the frame empties and removes when it closes all views.
    virtual void RegisterTemporaryFolder(const QString& /*folder*/) {}
    virtual void StopAutoSaveTimer() {}
    virtual void ArmAutoSaveTimer() {}
    // The auto-save interval in minutes (0: off); the setter restarts the timer from zero.
    virtual int GetAutoSaveInterval() const { return 0; }
    virtual void SetAutoSaveInterval(int /*minutes*/) {}
    virtual void RefreshAmbientPressure() {}
    // The text of the Project Information window.
    virtual void SetProjectDescription(const QString& /*text*/) {}
    // Set by OnProjectOpened when the managed side could not look up the material parameters.
    virtual bool MaterialLookupFailed() const { return false; }
};

class ProgressServices {
public:
    virtual ~ProgressServices() = default;
    virtual void BeginProgress(short /*lower*/, short /*upper*/, const QString& /*text*/) {}
    virtual void SetProgressPos(int /*position*/) {}
    virtual void SetProgressStep(int /*step*/) {}
    virtual void StepProgress() {}
    virtual void EndProgress() {}
    // What the last run did, kept in the status bar until the next run's (menu tips pass over it).
    virtual void ShowRunOutcome(const QString& /*text*/) {}
};

class SortServices {
public:
    virtual ~SortServices() = default;
    // Culture-aware sorts that keep each entry's item data and the selection.
    virtual void SortComboBoxItems(QComboBox* /*combo*/) {}
    virtual void SortListBoxItems(QListWidget* /*list*/) {}
    virtual void SortTexts(QStringList& /*texts*/) {}
    // Display texts of the managed list of that name (the name ends with "ListData").
    virtual QStringList GetDisplayVector(const QString& /*listName*/) { return {}; }
    // The display text of a key, and the key of a display text, in that managed list; false (out
    // unchanged) when the list or the entry is unknown.
    virtual bool GetDisplayValue(const QString& /*listName*/, const QString& /*key*/, QString& /*out*/)
    {
        return false;
    }
    virtual bool GetKeyValue(const QString& /*listName*/, const QString& /*displayText*/, QString& /*out*/)
    {
        return false;
    }
};

// The frame's docking panes that show the selected step.
class PaneServices {
public:
    virtual ~PaneServices() = default;
    // Standard Statements and Scheduling Constraints, each only while it is visible.
    virtual void RefreshStepPanes() {}
    // The step whose recipe is current (-1: none); the step panes follow it.
    virtual void SetCurrentStep(long /*stepID*/) {}
    virtual long GetCurrentStep() const { return -1; }
};

ProjectLifecycleServices* GetProjectLifecycleServices();
ProgressServices* GetProgressServices();
SortServices* GetSortServices();

// Through the installed progress concern; nothing without one.
void ShowRunOutcome(const QString& text);

// Calls through the installed pane concern; nothing without one.
void RefreshStepPanes();
void SetCurrentStep(long stepID);
long GetCurrentStep();
