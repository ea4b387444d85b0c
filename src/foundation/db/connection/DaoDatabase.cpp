#include "foundation/db/connection/DaoDatabase.h"

#include "foundation/db/connection/ConnectString.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

CDaoDatabase::~CDaoDatabase()
{
    Close();
}

void CDaoDatabase::Open(const QString& pathOrConnect, DatabaseRole role)
{
    const QString path = ParseConnectString(pathOrConnect).database;
    if (path.isEmpty())
        throw CDaoException(QStringLiteral("No database file was given."));
    auto connection = CSharedConnection::acquire(path, role);
    Close();
    m_connection = std::move(connection);
}

void CDaoDatabase::Open(const QString& name, bool /*exclusive*/, bool readOnly, const QString& connect)
{
    const QString path = name.isEmpty() ? ParseConnectString(connect).database : name;
    Open(path, readOnly ? DatabaseRole::ReadOnly : DatabaseRole::ReadWrite);
}

void CDaoDatabase::Close()
{
    while (m_ownLevels > 0 && m_connection && m_connection->transactionDepth() > 0) {
        m_connection->rollback();
        --m_ownLevels;
    }
    m_ownLevels = 0;
    m_connection.reset();
}

DatabaseRole CDaoDatabase::GetRole() const
{
    return m_connection ? m_connection->role() : DatabaseRole::ReadOnly;
}

CSharedConnection& CDaoDatabase::Connection() const
{
    if (!m_connection)
        throw CDaoException(QStringLiteral("The database is not open."));
    return *m_connection;
}

void CDaoDatabase::BeginTrans()
{
    Connection().begin();
    ++m_ownLevels;
}

void CDaoDatabase::CommitTrans()
{
    Connection().commit();
    if (m_ownLevels > 0)
        --m_ownLevels;
}

void CDaoDatabase::Rollback()
{
    Connection().rollback();
    if (m_ownLevels > 0)
        --m_ownLevels;
}

void CDaoDatabase::Execute(const QString& sql, const QVariantList& values)
{
    Connection().exec(sql, values);
}

QSqlQuery CDaoDatabase::Query(const QString& sql, const QVariantList& values)
{
    return Connection().exec(sql, values);
}
