#pragma once
// The open project's text-recipe display options, kept by the main frame while a project is
// open. Views read them through the display-options concern and re-read them on a refresh.

#include <QList>
#include <QString>
#include <QStringList>

struct DisplayOptions {
    bool comments = false; // show comments in the recipe text
    bool ranges = false;   // show range texts
    bool addSpace = false; // one more line break before ranges and comments
    bool warnings = false; // draw the result-remark icons ("Warnings" of the message options)
    long rangeTypeID = 0;
    // The comment types chosen for recipe viewing and their names, always of equal length: an id
    // the comment library lacks is dropped.
    QList<long> commentTypeIDs;
    QStringList commentTypeDescriptions;
};

class DisplayOptionsService {
public:
    virtual ~DisplayOptionsService() = default;
    virtual const DisplayOptions& GetDisplayOptions() const; // all off by default
    virtual void SetDisplayOptions(const DisplayOptions& /*options*/) {}
    // After the options changed: whoever shows them reads them again.
    virtual void DisplayOptionsChanged() {}
    // Tells the managed side that the project's text-recipe options changed.
    virtual void NotifyOptionsUpdate() {}
    // Tells the managed side that the project's comment types changed.
    virtual void NotifyCommentsTypeUpdate() {}
    // Tells the managed side that the project's recipe language changed to that language.
    virtual void NotifyLanguageUpdate(const QString& /*language*/) {}
};

// The installed frame's options; all off without one.
DisplayOptions CurrentDisplayOptions();
void SetCurrentDisplayOptions(const DisplayOptions& options);
void NotifyDisplayOptionsChanged();
void NotifyRecipeOptionsUpdate();
void NotifyCommentsTypeUpdate();
void NotifyLanguageUpdate(const QString& language);
