#include "foundation/db/connection/StepConnectionUse.h"

#include "foundation/db/connection/DaoDatabase.h"

CStepConnectionUse::CStepConnectionUse(CDaoDatabase* database)
{
    if (!database || !database->IsOpen())
        return;
    m_connection = database->Connection().shared_from_this();
    if (m_connection->pageCacheUsers()++ == 0)
        m_connection->setSmallPageCache(false);
}

CStepConnectionUse::~CStepConnectionUse()
{
    if (m_connection && --m_connection->pageCacheUsers() == 0) {
        m_connection->setSmallPageCache(true);
        m_connection->releaseMemory();
    }
}

void MarkStepConnectionIdle(CDaoDatabase& database)
{
    if (database.IsOpen() && database.Connection().pageCacheUsers() == 0)
        database.Connection().setSmallPageCache(true);
}

void ReleaseIdleStepMemory(CDaoDatabase* database)
{
    if (database && database->IsOpen() && database->Connection().pageCacheUsers() == 0)
        database->Connection().releaseHandleIfOnlyRead();
}
