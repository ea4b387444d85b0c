#pragma once
// A disk that refuses to flush: while a FailingSync stands, fsync of a file or folder whose path
// ends with the suffix fails with EIO. The test executables linked with it call its fsync in place
// of the system's, which every other flush reaches unchanged.

#include <QString>

class FailingSync {
public:
    explicit FailingSync(const QString& pathSuffix);
    ~FailingSync();
    FailingSync(const FailingSync&) = delete;
    FailingSync& operator=(const FailingSync&) = delete;

    int Refused() const; // how many flushes failed so far
};
