#pragma once
// Opening a file for the user with the desktop's handler for its type, by its path (no shell
// string). Tests install a recorder in its place.

#include <QString>

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    virtual bool OpenDocument(const QString& path) = 0;
};

// Through the installed opener, else the desktop's handler; true when the handler took the file.
bool OpenOnDesktop(const QString& path);
