#pragma once
// The project-side answers both kinds share, over the project's working copy of the kind and the
// kind's session: imported items, and the names, ids and mappings of sub-items.

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/ravelstock/LibraryComponent.h"
#include "modules/ravelstock/LibrarySession.h"
#include "modules/ravelstock/ProjectSideGuard.h"

class CRavelstockComponent;

class CProjectSide {
public:
    CProjectSide(CRavelstockComponent& component, CLibrarySession& session)
        : m_component(component), m_session(session)
    {
    }

    bool SetProjectDatabase(const QString& path);
    long CountChangedItems();
    bool ListImportedItems(ImportedItemLists& lists);
    bool LookUp(long serverID, const QString& location, LibraryItemInfo& info);
    bool IsNameTaken(const QString& name);
    bool IsIDTaken(long id);
    long ProjectIDByName(const QString& name);
    std::optional<KnownMapping> FindMapping(long subItemID);
    long ItemHandle(long localID);

    CDaoDatabase& Project();
    CLibrarySession& Session() { return m_session; }

private:
    CRavelstockComponent& m_component;
    CLibrarySession& m_session;
    CDaoDatabase m_project;
};

// The common answers of a kind's project-side interface, passed to the shared part.
template <typename Interface> class CProjectSideObject : public Interface {
public:
    CProjectSideObject(CRavelstockComponent& component, CLibrarySession& session) : m_side(component, session) {}

    bool SetProjectDatabase(const QString& path) override { return m_side.SetProjectDatabase(path); }
    long CountChangedItems() override { return Guarded([&] { return m_side.CountChangedItems(); }); }
    bool ListImportedItems(ImportedItemLists& lists) override
    {
        return Guarded([&] { return m_side.ListImportedItems(lists); });
    }
    bool IsNameTaken(const QString& name) override { return Guarded([&] { return m_side.IsNameTaken(name); }); }
    bool IsIDTaken(long id) override { return Guarded([&] { return m_side.IsIDTaken(id); }); }
    long ProjectIDByName(const QString& name) override
    {
        return Guarded([&] { return m_side.ProjectIDByName(name); });
    }
    std::optional<KnownMapping> FindMapping(long subItemID) override
    {
        return Guarded([&] { return m_side.FindMapping(subItemID); });
    }

protected:
    CProjectSide m_side;
};
