#include "recipe/edit/StagedTransaction.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

CStagedTransaction& CStagedTransaction::Stage(const QString& failure, unsigned flags, Write write)
{
    m_stages.append({failure, flags, std::move(write)});
    return *this;
}

bool CStagedTransaction::Commit()
{
    if (m_stages.isEmpty())
        return true;
    qsizetype current = 0;
    try {
        if (!m_database || !m_database->IsOpen())
            throw CDaoException(QStringLiteral("The database is not open."));
        CDaoTransaction transaction(*m_database);
        for (; current < m_stages.size(); ++current)
            m_stages.at(current).write(*m_database);
        current = m_stages.size() - 1; // a failed commit is the last stage's
        transaction.Commit();
        return true;
    } catch (const CDaoException&) {
        const StageEntry& failed = m_stages.at(qMin(current, m_stages.size() - 1));
        QvMessageBox(failed.failure, failed.flags);
        return false;
    }
}
