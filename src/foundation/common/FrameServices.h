#pragma once
// What the foundation and the subsystems may ask of the main frame, split by concern; each concern
// has its own slot. The main frame implements them; tests install recording fakes of the ones they
// need. Without one installed, callers do nothing.

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

class ProjectLifecycleServices {
public:
    virtual ~ProjectLifecycleServices() = default;
    // The hand-over of a project the projects code has just opened.
    virtual void OnProjectOpened(bool newProject) = 0;
    // The end of a close: engine object, automation model, panes, title and command states.
    virtual void OnProjectClosed() = 0;
    // The frame's part of a close: documents, dialogs, panes, timer, title.
    virtual void CloseAllViews() = 0;
    virtual void SaveWindowPositions() = 0;
    virtual void SaveChemistryDocuments() = 0;
    virtual void SetProjectTitle(const QString& title) = 0;
    virtual void StopAutoSaveTimer() = 0;
    virtual void ArmAutoSaveTimer() = 0;
    virtual void RefreshAmbientPressure() = 0;
    // The text of the Project Information window.
    virtual void SetProjectDescription(const QString& text) = 0;
    // Set by OnProjectOpened when the managed side could not look up the material parameters.
    virtual bool MaterialLookupFailed() const = 0;
};

class ProgressServices {
public:
    virtual ~ProgressServices() = default;
    virtual void BeginProgress(short lower, short upper, const QString& text) = 0;
    virtual void SetProgressPos(int position) = 0;
    virtual void SetProgressStep(int step) = 0;
    virtual void StepProgress() = 0;
    virtual void EndProgress() = 0;
};

class SortServices {
public:
    virtual ~SortServices() = default;
    // Culture-aware sorts that keep each entry's item data and the selection.
    virtual void SortComboBoxItems(QComboBox* combo) = 0;
    virtual void SortListBoxItems(QListWidget* list) = 0;
    virtual void SortTexts(QStringList& texts) = 0;
    // Display texts of the managed list of that name (the name ends with "ListData").
    virtual QStringList GetDisplayVector(const QString& listName) = 0;
};

ProjectLifecycleServices* GetProjectLifecycleServices();
ProgressServices* GetProgressServices();
SortServices* GetSortServices();
