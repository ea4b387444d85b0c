#include "DbFixture.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoRecordset.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {
int g_connection = 0;

template <typename Work> void withConnection(const QString& path, Work work)
{
    const QString name = QStringLiteral("fixture_%1").arg(++g_connection);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}
} // namespace

QString DbFixture::makeDatabase(const QString& name, const QStringList& statements) const
{
    const QString path = pathOf(name);
    withConnection(path, [&](QSqlDatabase& db) {
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
    });
    return path;
}

QString DbFixture::makeRecipeDatabase(const QString& name) const
{
    return makeDatabase(
        name,
        {
            "PRAGMA application_id = 1364612678",
            "PRAGMA user_version = 7",
            "CREATE TABLE TextRecipe (ID INTEGER PRIMARY KEY, StepID INTEGER, RecipeSequenceNumber INTEGER,"
            " Type TEXT COLLATE NOCASE, Label TEXT, Hide INTEGER DEFAULT 0, Breakpoint INTEGER DEFAULT 0,"
            " Amount REAL, StartDate REAL)",
            "INSERT INTO TextRecipe (StepID, RecipeSequenceNumber, Type, Label, Hide) VALUES"
            " (1, 1, 'UP', 'Reactor', 0), (1, 2, 'OP', 'Charge', 2), (1, 3, 'OP', 'Heat', 0),"
            " (2, 1, 'UP', 'Dryer', 0)",
        });
}

QStringList DbFixture::listing() const
{
    return QDir(m_dir.path())
        .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QByteArray DbFixture::bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DbFixture::writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QVariant DbFixture::scalar(const QString& path, const QString& sql, const QVariantList& values)
{
    QVariant value;
    withConnection(path, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        query.prepare(sql);
        for (const QVariant& bound : values)
            query.addBindValue(bound);
        EXPECT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        if (query.next())
            value = query.value(0);
    });
    return value;
}

QVariant DbFixture::queryValue(CDaoDatabase& db, const QString& sql)
{
    QSqlQuery query = db.Query(sql);
    return query.next() ? query.value(0) : QVariant();
}

QList<long> DbFixture::column(CDaoRecordset& set, const QString& name)
{
    QList<long> values;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
        values << set.GetLong(name);
    return values;
}
