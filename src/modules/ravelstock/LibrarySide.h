#pragma once
// The library object's main calls both kinds share: its state, the library it opened, the
// project database it copies into, and the parts of a copy that do not depend on the kind.

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/ravelstock/LibraryComponent.h"
#include "modules/ravelstock/LibrarySession.h"

class CLibraryFile;
class CRavelstockComponent;

class CLibrarySide {
public:
    CLibrarySide(CRavelstockComponent& component, CLibrarySession& session)
        : m_component(component), m_session(session)
    {
    }

    bool OpenLibrary(const QString& location);
    bool SetProjectDatabase(const QString& path);
    // The library opened last; raises when none is.
    CLibraryFile& Library();
    CDaoDatabase& Project();
    CLibrarySession& Session() { return m_session; }

    // The queued mappings of brought or matched sub-items.
    void WriteMappings();
    // The item's import row takes the library stamp of its row.
    void WriteImportStamp(long serverID, long localID);
    // A new copy of a library row is listed as imported from it.
    void WriteImportRow(long serverID, long localID);
    // The item row and its property rows (their id column given) under the local id.
    void CopyItemRows(long serverID, long localID, const QString& localName, const QStringList& kept);

private:
    CRavelstockComponent& m_component;
    CLibrarySession& m_session;
    CDaoDatabase m_project;
};
