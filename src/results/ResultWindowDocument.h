#pragma once
// What the result-window refresh asks of an open schedule or 3-D window: the results file it
// shows, re-reading it, and its titles. Such windows are hosted under the Gantt and 3-D document
// kinds and are found through the document host.

#include <QString>

class ResultWindowDocument {
public:
    virtual ~ResultWindowDocument() = default;
    // "QVSTEP_12.mdb", "QVPROC_7.mdb", "QVPLAN_3.mdb".
    virtual QString ResultsFileName() const = 0;
    // Reads the results again from projectDir + resultsFile.
    virtual void Initialize(const QString& projectDir, const QString& resultsFile, const QString& installDir) = 0;
    // "Schedule: " or "3D: ".
    virtual QString TitlePrefix() const = 0;
    // The tab keeps both titles and shows the one its flag chooses; the window shows the long one.
    virtual void SetTitles(const QString& longTitle, const QString& shortTitle) = 0;
};
