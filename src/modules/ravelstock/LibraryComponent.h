#pragma once
// The library component: for each kind (materials, equipment) a project-side object, which knows
// the project's database of that kind and the items in it that came from libraries, and a library
// object, which opens a library database and copies an item from it into the project. The
// component is reached through the factory in its service slot; an empty slot, or a factory that
// answers null, is a component that is not installed. Every call may raise CLibraryComponentError.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

using LibraryStamp = std::optional<double>; // an OLE date; none for NULL

// The items of the project that came from libraries, as five parallel lists.
struct ImportedItemLists {
    QList<long> localIDs;
    QStringList localNames;
    QList<LibraryStamp> localStamps;
    QList<long> serverIDs;
    QStringList serverLocations;
};

struct LibraryItemInfo {
    QString name;
    LibraryStamp stamp;
};

// The sub-items of one library item (mixture components, an equipment item's class).
struct SubItemLists {
    QList<long> ids;
    QStringList names;
};

struct KnownMapping {
    long localID = -1;
    QString localName;
};

// The calls both kinds' project-side objects answer.
class ILibraryProjectObject {
public:
    virtual ~ILibraryProjectObject() = default;
    virtual bool SetProjectDatabase(const QString& path) = 0;
    virtual long CountChangedItems() = 0;
    virtual bool ListImportedItems(ImportedItemLists& lists) = 0;
    virtual bool IsNameTaken(const QString& name) = 0;
    virtual bool IsIDTaken(long id) = 0;
    virtual long ProjectIDByName(const QString& name) = 0; // -1 when no item has it
    virtual std::optional<KnownMapping> FindMapping(long subItemID) = 0;
};

class IMaterialProject : public ILibraryProjectObject {
public:
    virtual bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) = 0;
    virtual bool NeedsNoCopy(const QString& subItemName) = 0;
    virtual bool RecordMapping(long serverID, long localID, const QString& name, bool newCopy) = 0;
};

class IEquipmentProject : public ILibraryProjectObject {
public:
    virtual long ItemHandle(long localID) = 0; // 0: the item is not an import
    virtual bool NeedsNoCopy(long subItemID) = 0;
    // Whether the name is taken in the project for the item being applied.
    virtual bool IsNameTakenFor(long handle, const QString& name) = 0;
};

// The library object's main interface, the same for both kinds.
class ILibraryObject {
public:
    virtual ~ILibraryObject() = default;
    virtual long GetState() = 0; // 1: ready
    virtual bool OpenLibrary(const QString& location) = 0;
    virtual bool SetProjectDatabase(const QString& path) = 0;
    virtual bool CopyItem(long serverID, long localID, const QString& localName) = 0;
};

// A material library object's second interface.
class IMaterialSubItems {
public:
    virtual ~IMaterialSubItems() = default;
    // Whether the item has sub-items, and their lists.
    virtual bool ListSubItems(long serverID, SubItemLists& lists) = 0;
};

class IMaterialLibrary : public ILibraryObject {
public:
    virtual IMaterialSubItems* QuerySubItems() = 0; // null when the object has none
};

// The equipment library object's own interface; the main one is reached through QueryMain.
class IEquipmentLibrary {
public:
    virtual ~IEquipmentLibrary() = default;
    virtual ILibraryObject* QueryMain() = 0;
    virtual bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) = 0;
    // List 1 is the item's class, list 2 its further sub-items.
    virtual bool ListSubItems(int list, long serverID, SubItemLists& lists) = 0;
    virtual bool RecordMapping(int list, long serverID, long localID, const QString& name, bool newCopy) = 0;
    virtual bool CopyEquipment(long handle, long serverID, long localID, const QString& localName) = 0;
};

class LibraryComponent {
public:
    virtual ~LibraryComponent() = default;
    virtual std::unique_ptr<IMaterialProject> CreateMaterialProject() = 0;
    virtual std::unique_ptr<IMaterialLibrary> CreateMaterialLibrary() = 0;
    virtual std::unique_ptr<IEquipmentProject> CreateEquipmentProject(const QString& projectDatabase) = 0;
    virtual std::unique_ptr<IEquipmentLibrary> CreateEquipmentLibrary(const QString& projectDatabase) = 0;
    // The run that asked is over: connections kept for it may go.
    virtual void EndRun() {}
};

LibraryComponent* GetLibraryComponent(); // null: not installed
LibraryComponent* SetLibraryComponent(LibraryComponent* component); // returns the previous one
