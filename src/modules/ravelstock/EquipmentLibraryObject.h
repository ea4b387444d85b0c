#pragma once
// The stand-in's equipment library object: looks items up in an equipment library, lists an
// item's class (list 1; list 2 is empty) and copies an item with its properties into the project,
// keeping the project's facility places and calendar, in one transaction on the project's
// equipment working copy.

#include "modules/ravelstock/LibrarySide.h"

class CEquipmentLibraryObject : public IEquipmentLibrary, public ILibraryObject {
public:
    CEquipmentLibraryObject(CRavelstockComponent& component, CLibrarySession& session)
        : m_component(component), m_side(component, session)
    {
    }

    ILibraryObject* QueryMain() override { return this; }
    long GetState() override { return 1; }
    bool OpenLibrary(const QString& location) override;
    bool SetProjectDatabase(const QString& path) override { return m_side.SetProjectDatabase(path); }
    bool CopyItem(long serverID, long localID, const QString& localName) override;

    bool LookUpLibraryItem(long serverID, const QString& location, LibraryItemInfo& info) override;
    bool ListSubItems(int list, long serverID, SubItemLists& lists) override;
    bool RecordMapping(int list, long serverID, long localID, const QString& name, bool newCopy) override;
    bool CopyEquipment(long handle, long serverID, long localID, const QString& localName) override;

private:
    bool CopyInTransaction(long serverID, long localID, const QString& localName);
    void WriteNewClasses();
    long ItemClass(long serverID);
    long BringClass(long serverClassID);

    CRavelstockComponent& m_component;
    CLibrarySide m_side;
};
