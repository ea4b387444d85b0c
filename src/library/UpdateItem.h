#pragma once
// One imported library item whose project copy is out of date, and the interface of each kind of
// library item (materials, equipment) that counts, collects and applies such items.

#include <QString>

#include <optional>
#include <vector>

class IUpdateInfoContainer;

struct UpdateItem {
    IUpdateInfoContainer* owner = nullptr; // the container that made the item and applies it
    long localID = 0;                       // the item's id in the project database
    long serverID = 0;                      // the item's id in its library database
    QString localName;
    QString serverName;
    QString serverLocation; // the library database the item came from
    std::optional<double> localStamp; // OLE dates; none for NULL
    std::optional<double> serverStamp;
};

class IUpdateInfoContainer {
public:
    virtual ~IUpdateInfoContainer() = default;
    virtual const QString& GetKindName() const = 0; // "Material" or "Equipment"
    virtual int GetOutOfDateCount() = 0;
    // Appends one new item per imported item whose stamps differ; false when nothing could be read.
    virtual bool CollectUpdateItems(std::vector<UpdateItem*>& items) = 0;
    virtual bool ApplyUpdateItem(UpdateItem* item) = 0;
};
