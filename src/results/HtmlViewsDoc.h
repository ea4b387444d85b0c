#pragma once
// The document of an HTML view: one address, set by whoever opens the view before its first
// update. It stores nothing in a file, and refuses a file the desktop hands the program on its
// command line (that is a project template, not a page).

#include <QString>

// Set by the application while it opens the file named on its command line.
extern bool g_bHtmlOpenedFromCommandLine;

class CHtmlViewsDoc {
public:
    const QString& Address() const { return m_address; }
    void SetAddress(const QString& address) { m_address = address; }

    // False (and the flag cleared) for a file opened from the command line.
    bool OnOpenDocument(const QString& path);

private:
    QString m_address;
};
