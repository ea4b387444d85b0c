#pragma once
// Engine entries of their own for one call each, over the open project's files.

#include "foundation/common/concerns/SubsystemConcerns.h"
#include "modules/engine/EngineEntry.h"

class CEngineEntryFactory : public EngineFactory {
public:
    EngineEntry* CreateEngineEntry() override { return new EngineEntry; }
};
