#pragma once
// Test processes skip the database layer's flushes (TestMain.cpp): none of their files has to
// outlive a power loss, and a flush per commit would make every test wait on the disk. A test of
// what reaches the disk holds RealDiskSyncs from before its first connection opens (a fixture
// member); a connection keeps the synchronous level it opened with.

#include "foundation/db/files/DiskSyncs.h"

class RealDiskSyncs {
public:
    RealDiskSyncs() : m_wereSkipped(DiskSyncsSkipped()) { SetDiskSyncsSkipped(false); }
    ~RealDiskSyncs() { SetDiskSyncsSkipped(m_wereSkipped); }
    RealDiskSyncs(const RealDiskSyncs&) = delete;
    RealDiskSyncs& operator=(const RealDiskSyncs&) = delete;

private:
    bool m_wereSkipped;
};
