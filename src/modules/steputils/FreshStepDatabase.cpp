#include "modules/steputils/FreshStepDatabase.h"

#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/EmptyStepTemplate.h"

#include <QSqlError>
#include <QSqlQuery>

CFreshStepDatabase::~CFreshStepDatabase()
{
    Close();
}

bool CFreshStepDatabase::Create(const QString& path, bool exchangeTables)
{
    m_errorText.clear();
    QString error;
    const QString empty = EmptyStepTemplate(&error, exchangeTables);
    if (empty.isEmpty() || !CopyScratchDatabaseFile(empty, path, &error))
        return Fail(error);
    m_path = path;
    try {
        m_database.Open(path, DatabaseRole::ReadWrite);
        m_open = true;
        m_database.Execute(QStringLiteral("PRAGMA synchronous = OFF"));
        m_database.BeginTrans();
    } catch (const CDaoException& failure) {
        return Fail(failure.GetErrorDescription());
    }
    return true;
}

bool CFreshStepDatabase::Execute(const QString& sql)
{
    QString problem;
    {
        QSqlQuery query(Database());
        if (m_open && query.exec(sql))
            return true;
        problem = query.lastError().text();
    }
    return Fail(QStringLiteral("Statement failed in %1: %2 [%3]").arg(m_path, problem, sql.left(200)));
}

bool CFreshStepDatabase::Finish()
{
    try {
        m_database.CommitTrans();
    } catch (const CDaoException& failure) {
        return Fail(failure.GetErrorDescription());
    }
    Close();
    return true;
}

void CFreshStepDatabase::Abandon()
{
    Close();
    if (!m_path.isEmpty())
        DeleteDatabaseFile(m_path);
}

QSqlDatabase CFreshStepDatabase::Database() const
{
    return m_open ? m_database.Connection().database() : QSqlDatabase();
}

bool CFreshStepDatabase::Fail(const QString& reason)
{
    m_errorText = reason;
    Abandon();
    return false;
}

void CFreshStepDatabase::Close()
{
    m_open = false;
    m_database.Close();
}
