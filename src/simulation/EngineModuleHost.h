#pragma once
// The engine module as the shell sees it: the start-up check, the engine entry of the open project
// (created at the hand-over with the project's folder, the application and the utility list, freed
// at the close) and the module-wide utility list dropped at each close.

#include "foundation/common/concerns/SubsystemConcerns.h"

#include <memory>

class CEngineModuleHost : public EngineHost {
public:
    CEngineModuleHost();
    ~CEngineModuleHost() override;

    bool InitializeEngine() override;
    bool CreateProjectEngine() override;
    void DeleteProjectEngine() override;
    void CleanUpUtilityArray() override;
    EngineEntry* GetEngineEntry() const override { return m_entry.get(); }

private:
    std::unique_ptr<EngineEntry> m_entry;
};
