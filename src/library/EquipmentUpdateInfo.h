#pragma once
// Imported equipment: counted, collected and applied through the library component's equipment
// objects, made once with the container and kept until it goes.

#include "library/UpdateItem.h"
#include "modules/ravelstock/LibraryComponent.h"

#include <memory>

class CEquipmentUpdateInfo : public IUpdateInfoContainer {
public:
    // A component that cannot be reached leaves both objects null.
    CEquipmentUpdateInfo();
    ~CEquipmentUpdateInfo() override;

    const QString& GetKindName() const override { return m_kindName; }
    int GetOutOfDateCount() override;
    bool CollectUpdateItems(std::vector<UpdateItem*>& items) override;
    bool ApplyUpdateItem(UpdateItem* item) override;

private:
    bool Collect(std::vector<UpdateItem*>& items);
    bool Apply(const UpdateItem& item);
    bool ResolveSubItems(int list, long serverID, long handle);

    QString m_kindName;
    std::unique_ptr<IEquipmentProject> m_project;
    std::unique_ptr<IEquipmentLibrary> m_library;
};
