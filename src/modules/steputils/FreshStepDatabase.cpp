#include "modules/steputils/FreshStepDatabase.h"

#include "foundation/db/DatabaseFiles.h"
#include "modules/steputils/EmptyStepTemplate.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString NextFreshStepConnection()
{
    static QAtomicInt counter;
    return QStringLiteral("qv-fresh-step-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

CFreshStepDatabase::CFreshStepDatabase() : m_connectionName(NextFreshStepConnection()) {}

CFreshStepDatabase::~CFreshStepDatabase()
{
    Close();
}

bool CFreshStepDatabase::Create(const QString& path)
{
    m_errorText.clear();
    QString error;
    const QString empty = EmptyStepTemplate(&error);
    if (empty.isEmpty() || !CopyDatabaseFile(empty, path, &error))
        return Fail(error);
    m_path = path;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    m_open = db.open();
    if (!m_open)
        return Fail(db.lastError().text());
    return Execute(QStringLiteral("PRAGMA synchronous = OFF")) &&
           Execute(QStringLiteral("PRAGMA journal_mode = MEMORY")) && Execute(QStringLiteral("BEGIN"));
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
    if (!Execute(QStringLiteral("COMMIT")))
        return false;
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
    return QSqlDatabase::database(m_connectionName, false);
}

bool CFreshStepDatabase::Fail(const QString& reason)
{
    m_errorText = reason;
    Abandon();
    return false;
}

void CFreshStepDatabase::Close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    m_open = false;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}
