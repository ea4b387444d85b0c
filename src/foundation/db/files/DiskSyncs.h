#pragma once
// Whether the database layer's flushes reach the disk. In the program they always do. A test
// process, whose files no power loss outlives, may skip them: the layer's own flushes (SyncDescriptor
// and every helper built on it) become no-ops and the connections it opens write with
// synchronous=OFF. Only test support turns this on; no option, variable or setting reaches it.

void SetDiskSyncsSkipped(bool skipped);
bool DiskSyncsSkipped();

// fsync(2) of an open file or folder; false with errno set when it fails. A no-op while skipped.
bool SyncDescriptor(int fd);
