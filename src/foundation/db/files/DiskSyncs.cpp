#include "foundation/db/files/DiskSyncs.h"

#include <unistd.h>

namespace {
bool syncsSkipped = false;
}

void SetDiskSyncsSkipped(bool skipped)
{
    syncsSkipped = skipped;
}

bool DiskSyncsSkipped()
{
    return syncsSkipped;
}

bool SyncDescriptor(int fd)
{
    return syncsSkipped || ::fsync(fd) == 0;
}
