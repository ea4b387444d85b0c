#pragma once
// One library database, opened read-only for the length of a synchronisation run: our material or
// equipment database with item stamps. Item look-ups are prepared once.

#include "foundation/db/connection/DaoDatabase.h"
#include "modules/ravelstock/LibraryComponent.h"
#include "modules/ravelstock/LibraryKindTables.h"

#include <QSqlQuery>
#include <optional>

class CLibraryFile {
public:
    explicit CLibraryFile(const LibraryKindTables& tables) : m_tables(tables) {}
    CLibraryFile(const CLibraryFile&) = delete;
    CLibraryFile& operator=(const CLibraryFile&) = delete;

    // False when the file is missing, or a database of another kind or without stamps. Raises
    // CLibraryComponentError when it cannot be opened or read (locked, damaged).
    bool Open(const QString& path);
    // The item's name and stamp; nullopt when the library has no such item. Raises
    // CLibraryComponentError when the library cannot be read.
    std::optional<LibraryItemInfo> LookUp(long serverID);
    // The sub-items (ids, names) a row lists with the given statement, bound to serverID.
    SubItemLists SubItems(const QString& sql, long serverID);
    CDaoDatabase& Database() { return m_database; }
    const LibraryKindTables& Tables() const { return m_tables; }

private:
    bool IsOurs();
    [[noreturn]] void Unreadable(const QString& reason) const;

    const LibraryKindTables& m_tables;
    QString m_path;
    CDaoDatabase m_database;
    std::optional<QSqlQuery> m_lookup; // goes before the database
};
