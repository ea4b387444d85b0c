#pragma once
// Shows a topic of a help file. The program opens the local HTML page of that topic in the
// desktop browser; tests record (file, topic).

#include <QString>

class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void DisplayHelp(const QString& /*helpFile*/, long /*topic*/) {}
};

// The local page of a topic: <install>/help/<file's base name>/<topic>.html, lower-case base name.
QString HelpTopicPage(const QString& installDir, const QString& helpFile, long topic);
// Through the installed service; nothing is shown without one.
void DisplayHelp(const QString& helpFile, long topic);
