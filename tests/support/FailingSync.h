#pragma once
// A disk that refuses to flush: while a FailingSync stands, fsync of a file or folder whose path
// ends with the suffix (or that the given test picks) fails with EIO. The test executables linked
// with it call its fsync in place of the system's, which every other flush reaches unchanged. The
// database layer's flushes are real while it stands, so that they reach it.

#include "RealDiskSyncs.h"

#include <QString>

#include <functional>

class FailingSync {
public:
    explicit FailingSync(const QString& pathSuffix);
    // The test is asked with the path of each flushed file or folder; true refuses the flush.
    explicit FailingSync(std::function<bool(const QString& path)> refuses);
    ~FailingSync();
    FailingSync(const FailingSync&) = delete;
    FailingSync& operator=(const FailingSync&) = delete;

    int Refused() const; // how many flushes failed so far

private:
    RealDiskSyncs m_realSyncs;
};
