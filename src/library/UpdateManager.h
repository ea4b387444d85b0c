#pragma once
// One synchronisation of imported materials and equipment with their libraries, run once at the
// end of a project open: the question, the update list, then the chosen items copied in, materials
// before equipment. Items that could not be applied are listed afterwards.

#include "library/UpdateItem.h"

#include <memory>
#include <vector>

class CUpdateManager {
public:
    CUpdateManager() = default;
    ~CUpdateManager();
    CUpdateManager(const CUpdateManager&) = delete;
    CUpdateManager& operator=(const CUpdateManager&) = delete;

    void RegisterContainers();
    void Run();

    // For tests: containers in place of the two kinds (registered instead of them when given).
    void AddContainer(std::unique_ptr<IUpdateInfoContainer> container);

private:
    bool AskToSynchronise();
    std::vector<bool> ChooseItems(const std::vector<UpdateItem*>& items) const;
    static void ApplyChosen(const std::vector<UpdateItem*>& items, const std::vector<bool>& marks);

    std::vector<IUpdateInfoContainer*> m_containers; // owned
    bool m_bShowDialog = true;
};
