#include "ProjectsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

QVariant RawQuery(const QString& path, const QString& sql)
{
    const QString name = QStringLiteral("projects-test-raw");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteTextFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString ProjectsFixture::build(DatabaseKind kind, const QString& name)
{
    const QString path = pathOf(name);
    QString error;
    EXPECT_TRUE(CSchemaBuilder::Build(kind, path, &error)) << error.toStdString();
    return path;
}
