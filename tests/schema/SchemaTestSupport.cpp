#include "SchemaTestSupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

CReadConnection::CReadConnection(const QString& path)
    : m_name(QStringLiteral("schema-test-%1").arg(quintptr(this)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
    db.setDatabaseName(path);
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    m_open = QFile::exists(path) && db.open();
}

CReadConnection::~CReadConnection()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

QList<QVariantList> CReadConnection::Rows(const QString& sql) const
{
    QList<QVariantList> rows;
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql))
        return rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        rows << row;
    }
    return rows;
}

QVariant CReadConnection::Scalar(const QString& sql) const
{
    const QList<QVariantList> rows = Rows(sql);
    return rows.isEmpty() ? QVariant() : rows.first().value(0);
}

QList<qlonglong> CReadConnection::Ids(const QString& sql) const
{
    QList<qlonglong> ids;
    for (const QVariantList& row : Rows(sql))
        ids << row.value(0).toLongLong();
    return ids;
}

QStringList CReadConnection::Texts(const QString& sql) const
{
    QStringList texts;
    for (const QVariantList& row : Rows(sql))
        texts << row.value(0).toString();
    return texts;
}

QStringList CReadConnection::Columns(const QString& tableOrView) const
{
    return Texts(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(tableOrView));
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
