#pragma once
// What one kind's project-side and library objects share while an item is applied: the library
// opened last and the sub-item records queued for the copy. The queue empties at each library
// open and counts in the name and id answers, so a name or id given to a queued copy is taken.

#include "modules/ravelstock/LibraryKindTables.h"

#include <QString>
#include <vector>

class CLibraryFile;

struct SubItemRecord {
    int list = 1;
    long serverID = 0;
    long localID = -1; // -1: no copy, the project already holds what the library row brings
    QString name;
    bool newCopy = false;
};

class CLibrarySession {
public:
    explicit CLibrarySession(const LibraryKindTables& tables) : m_tables(tables) {}

    void Begin(const QString& location, CLibraryFile* library);
    const QString& Location() const { return m_location; }
    CLibraryFile* Library() const { return m_library; } // null before a library was opened
    const LibraryKindTables& Tables() const { return m_tables; }

    void Queue(const SubItemRecord& record) { m_records.push_back(record); }
    const std::vector<SubItemRecord>& Records() const { return m_records; }
    const SubItemRecord* Find(int list, long serverID) const;
    bool QueuedNameTaken(const QString& name) const;
    bool QueuedIDTaken(long id) const;
    long QueuedIDByName(const QString& name) const; // -1 when none
    void Forget();

private:
    const LibraryKindTables& m_tables;
    QString m_location;
    CLibraryFile* m_library = nullptr;
    std::vector<SubItemRecord> m_records;
};
