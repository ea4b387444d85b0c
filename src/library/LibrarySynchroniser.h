#pragma once
// The library synchronisation of a project open: one update run; an error that reaches it is
// shown with its description and the open goes on.

#include "foundation/common/concerns/SubsystemConcerns.h"

class CLibrarySynchroniser : public LibrarySynchronisation {
public:
    void SynchroniseLibraries() override;
};
