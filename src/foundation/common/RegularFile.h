#pragma once
// Reading a file the program names itself in a project, package or settings folder, or one the user
// picked. Such a folder may come from someone else: a named pipe under the name would hold the open
// (or the read) for good, a device would be read without end. The file is therefore opened with
// O_NONBLOCK and read only when fstat calls it a regular file; anything else is refused and named.
// A name the program composes is never read through a symbolic link; a file the user picked may be one.

#include <QByteArray>
#include <QString>

enum class LinkRule {
    Refuse, // a name the program composes
    Follow, // a file the user picked
};

enum class RegularFileState {
    Opened,
    Missing,    // nothing under the name
    Refused,    // not a regular file, or a link where none is taken: the refusal names the kind
    Unreadable, // the system's reason
};

struct RegularFileOpen {
    int fd = -1; // open for reading when Opened; the caller closes it
    RegularFileState state = RegularFileState::Missing;
    QString refusal; // names the file and why; empty when Opened or Missing
};

struct RegularFileRead {
    QByteArray bytes;
    RegularFileState state = RegularFileState::Missing;
    QString refusal;
    bool read() const { return state == RegularFileState::Opened; }
};

// "The file "<path>" is a named pipe, not a regular file: it is not read." (kind as fstat tells it).
QString NotRegularFileText(const QString& path, const QString& kind);
// "Cannot read '<path>': <the system's reason>".
QString CannotReadText(const QString& path, int reason);

RegularFileOpen OpenRegularFile(const QString& path, LinkRule links);
// Why the file under path would not be read (the refusal above); empty for a regular file, a
// missing one or one the system does not let us read.
QString RegularFileRefusal(const QString& path, LinkRule links);
// The file's bytes, at most maxBytes of them (a larger file is read no further; -1: all).
RegularFileRead ReadRegularFile(const QString& path, LinkRule links, qint64 maxBytes = -1);
