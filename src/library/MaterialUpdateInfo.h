#pragma once
// Imported materials: counted, collected and applied through the library component's material
// objects, made afresh for each operation.

#include "library/UpdateItem.h"

class MaterialUpdateInfo : public IUpdateInfoContainer {
public:
    MaterialUpdateInfo() : m_kindName(QStringLiteral("Material")) {}

    const QString& GetKindName() const override { return m_kindName; }
    int GetOutOfDateCount() override;
    bool CollectUpdateItems(std::vector<UpdateItem*>& items) override;
    bool ApplyUpdateItem(UpdateItem* item) override;

private:
    bool Collect(std::vector<UpdateItem*>& items);
    bool Apply(const UpdateItem& item);

    QString m_kindName;
};

// The message of a missing or failing component for the kind ("material", "equipment"); what the
// component said of its failure, when it said anything, follows on a line of its own.
QString MissingComponentText(const QString& kind, const QString& description = QString());
