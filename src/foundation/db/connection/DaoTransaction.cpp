#include "foundation/db/connection/DaoTransaction.h"

#include "foundation/db/connection/DaoException.h"

CDaoTransaction::~CDaoTransaction()
{
    if (m_finished || !m_database.IsOpen())
        return;
    try {
        m_database.Rollback();
    } catch (const CDaoException&) {
        // Nothing to undo any more; a destructor must not throw.
    }
}

void CDaoTransaction::Commit()
{
    m_database.CommitTrans();
    m_finished = true;
}
