#pragma once
// The open project's text-recipe display options, kept by the main frame while a project is
// open. Views read them through the display-options concern and re-read them on a refresh.

struct DisplayOptions {
    bool comments = false; // show comments in the recipe text
    bool ranges = false;   // show range texts
    bool addSpace = false; // one more line break before ranges and comments
    bool warnings = false; // draw the result-remark icons ("Warnings" of the message options)
    long rangeTypeID = 0;
};

class DisplayOptionsService {
public:
    virtual ~DisplayOptionsService() = default;
    virtual const DisplayOptions& GetDisplayOptions() const; // all off by default
};

// The installed frame's options; all off without one.
DisplayOptions CurrentDisplayOptions();
