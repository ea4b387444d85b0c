#pragma once
// The program's command line: one file to open, or a switch saying that another program
// started it to embed or to script it ("-Embedding", "-Automation"; "/" works as well).

#include <QStringList>

struct CCommandLineInfo {
    QString fileName;
    bool embedding = false;
    bool automation = false;

    bool RunsHidden() const { return embedding || automation; }
    // arguments[0] is the program itself.
    static CCommandLineInfo Parse(const QStringList& arguments);
};
