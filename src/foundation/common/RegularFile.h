#pragma once
// Reading a file the program names itself in a project, package or settings folder, or one the user
// picked. Such a folder may come from someone else: a named pipe under the name would hold the open
// (or the read) for good, a device would be read without end. The file is therefore opened with
// O_NONBLOCK and read only when fstat calls it a regular file; anything else is refused and named.
// A name the program composes is never read through a symbolic link; a file the user picked may be one.
// A text file is read within a bound: a sparse file of gigabytes costs a few kilobytes to send.

#include <QByteArray>
#include <QString>

enum class LinkRule {
    Refuse, // a name the program composes
    Follow, // a file the user picked
};

// The most a text file under a name the program composes may hold, and the most its writers write.
constexpr qint64 TEXT_FILE_BOUND = qint64(1) << 20;
constexpr qint64 NO_READ_BOUND = -1;

// What a read does with a file larger than its bound.
enum class OverBound {
    Refuse,        // the file is not read: the refusal names it and its size
    ReadNoFurther, // its first bytes are read
};

enum class RegularFileState {
    Opened,
    Missing,    // nothing under the name
    Refused,    // not a regular file, a link where none is taken, or larger than the read's bound
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
// "The file "<path>" holds <size> bytes, more than the <bound> it may hold: it is not read."
QString FileTooLargeText(const QString& path, qint64 size, qint64 bound);

RegularFileOpen OpenRegularFile(const QString& path, LinkRule links);
// Why the file under path would not be read (the refusal above); empty for a regular file, a
// missing one or one the system does not let us read.
QString RegularFileRefusal(const QString& path, LinkRule links);
// FileTooLargeText when the regular file under path is larger than bound (nothing is read); empty
// otherwise, whatever else keeps it from being read.
QString SizeBoundRefusal(const QString& path, LinkRule links, qint64 bound);
// The file's bytes, at most bound of them (NO_READ_BOUND: all); a larger file is refused, or read
// no further when the caller takes its first bytes.
RegularFileRead ReadRegularFile(const QString& path, LinkRule links, qint64 bound = NO_READ_BOUND,
                                OverBound over = OverBound::Refuse);
// The same from a file already opened (OpenRegularFile), which stays open; path names it in a refusal.
RegularFileRead ReadOpenedFile(int fd, const QString& path, qint64 bound, OverBound over = OverBound::Refuse);
