#pragma once
// What the subsystems do when an opened project is handed to the main frame, when it is saved and
// when it closes. Each subsystem registers one participant; every stage runs over all of them in
// the order they were added. A stage a participant does not override does nothing.

#include <functional>

class ProjectHandover {
public:
    virtual ~ProjectHandover() = default;
    // Hand-over, in this order (the engine entry comes between result windows and comment types).
    virtual void RebuildPanes() {}
    virtual void ReopenResultWindows() {}
    virtual void LoadRecipeCommentTypes() {}
    // Save: before the files are written.
    virtual void SaveWindowPositions() {}
    virtual void SaveChemistryDocuments() {}
    // Close, on the frame: every document and linked window of the project, dialogs, panes.
    virtual void CloseDocuments() {}
    virtual void HideModelessDialogs() {}
    virtual void HideProjectInfoDialog() {}
    virtual void ClearPanes() {}
    // Close, in the projects code: the material module's project (only while a project is open),
    // then the shared singletons.
    virtual void CloseMaterialProject() {}
    virtual void DestroySharedSingletons() {}
};

void AddProjectHandover(ProjectHandover* participant);
void RemoveProjectHandover(ProjectHandover* participant);
// Runs stage on every participant in order.
void RunProjectHandover(void (ProjectHandover::*stage)());
