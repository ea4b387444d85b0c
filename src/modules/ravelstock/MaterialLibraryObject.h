#pragma once
// The stand-in's material library object: opens a material library, lists a mixture's components
// and copies a material with its properties and mixture rows into the project, the components
// it brings before it, in one transaction on the project's material working copy.

#include "modules/ravelstock/LibrarySide.h"

class CMaterialLibraryObject : public IMaterialLibrary, public IMaterialSubItems {
public:
    CMaterialLibraryObject(CRavelstockComponent& component, CLibrarySession& session) : m_side(component, session) {}

    long GetState() override { return 1; }
    bool OpenLibrary(const QString& location) override;
    bool SetProjectDatabase(const QString& path) override { return m_side.SetProjectDatabase(path); }
    // False, with nothing written, when a component brought along is itself a mixture.
    bool CopyItem(long serverID, long localID, const QString& localName) override;
    IMaterialSubItems* QuerySubItems() override { return this; }
    bool ListSubItems(long serverID, SubItemLists& lists) override;

private:
    bool CopyInTransaction(long serverID, long localID, const QString& localName);
    bool CopyNewComponents();
    void ReplaceMixtureRows(long serverID, long localID);
    long ComponentID(long serverComponentID);

    CLibrarySide m_side;
};
