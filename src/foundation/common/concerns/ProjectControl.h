#pragma once
// The open project as the rest of the program may drive it: whether one is open, opening a file
// by its path and closing with a given answer to the save question. The application installs it
// over the projects code; without it no project is open and nothing opens or closes.

#include <QString>

enum class SaveAnswer { Ask, Save, Discard };

class ProjectControl {
public:
    virtual ~ProjectControl() = default;
    // True from the hand-over of an opened project until its close has ended.
    virtual bool IsProjectOpen() const { return false; }
    // Opens that project file as an existing project; true when it is open afterwards.
    virtual bool OpenProjectByPath(const QString& /*path*/) { return false; }
    // Closes the open project; Ask puts the save question, the others answer it unasked.
    // False when the close was refused or the save failed: the project stays open.
    virtual bool CloseProject(SaveAnswer /*answer*/) { return false; }
    // Saves the open project in place; false when nothing was saved.
    virtual bool SaveOpenProject() { return false; }
};

bool IsProjectOpen();
