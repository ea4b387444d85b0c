#include "modules/ravelstock/LibrarySession.h"

void CLibrarySession::Begin(const QString& location, CLibraryFile* library)
{
    m_location = location;
    m_library = library;
    m_records.clear();
}

void CLibrarySession::Forget()
{
    Begin(QString(), nullptr);
}

const SubItemRecord* CLibrarySession::Find(int list, long serverID) const
{
    for (const SubItemRecord& record : m_records) {
        if (record.list == list && record.serverID == serverID)
            return &record;
    }
    return nullptr;
}

bool CLibrarySession::QueuedNameTaken(const QString& name) const
{
    return QueuedIDByName(name) != -1;
}

bool CLibrarySession::QueuedIDTaken(long id) const
{
    for (const SubItemRecord& record : m_records) {
        if (record.newCopy && record.localID == id)
            return true;
    }
    return false;
}

long CLibrarySession::QueuedIDByName(const QString& name) const
{
    for (const SubItemRecord& record : m_records) {
        if (record.newCopy && record.name.compare(name, Qt::CaseInsensitive) == 0)
            return record.localID;
    }
    return -1;
}
