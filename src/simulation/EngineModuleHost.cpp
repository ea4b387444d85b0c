#include "simulation/EngineModuleHost.h"

#include "foundation/common/concerns/AppContext.h"
#include "modules/engine/EngineEntry.h"

CEngineModuleHost::CEngineModuleHost() = default;
CEngineModuleHost::~CEngineModuleHost() = default;

bool CEngineModuleHost::InitializeEngine()
{
    return EngineModuleReady();
}

bool CEngineModuleHost::CreateProjectEngine()
{
    auto entry = std::make_unique<EngineEntry>();
    entry->PassZRQ(GetWorkingCopyDir());
    entry->PassTamro(GetAppContext());
    entry->PopulateListOfAvailableUtilities(); // an unreadable list leaves it empty; runs go on
    m_entry = std::move(entry);
    return true;
}

void CEngineModuleHost::DeleteProjectEngine()
{
    m_entry.reset();
}

void CEngineModuleHost::CleanUpUtilityArray()
{
    EngineEntry().cleanUpUtilityArray(); // the list is the module's, not an object's
}
