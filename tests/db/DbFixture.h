#pragma once
// Real SQLite files in a temporary folder, made and read with QtSql directly so that the layer
// under test neither makes nor checks its own fixtures.

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/recordsets/DaoRecordset.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class DbFixture : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return m_dir.filePath(name); }

    // Runs one statement on a private connection, which makes a missing file, and answers the
    // first value it returned.
    static QVariant scalar(const QString& path, const QString& sql, const QVariantList& values = {})
    {
        static int connections = 0;
        const QString name = QStringLiteral("fixture_%1").arg(++connections);
        QVariant value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant& bound : values)
                query.addBindValue(bound);
            EXPECT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
            if (query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(name);
        return value;
    }
    static long count(const QString& path, const QString& sql)
    {
        return long(scalar(path, sql).toLongLong());
    }

    QString makeDatabase(const QString& name, const QStringList& statements) const
    {
        for (const QString& sql : statements)
            scalar(pathOf(name), sql);
        return pathOf(name);
    }
    // Four recipe rows: three of step 1, one of step 2 ("Charge" hidden with 2).
    QString makeRecipeDatabase(const QString& name = QStringLiteral("STEP_1.WC")) const
    {
        return makeDatabase(
            name,
            {"PRAGMA application_id = 1364612678", "PRAGMA user_version = 7",
             "CREATE TABLE TextRecipe (ID INTEGER PRIMARY KEY, StepID INTEGER, RecipeSequenceNumber INTEGER,"
             " Type TEXT COLLATE NOCASE, Label TEXT, Hide INTEGER DEFAULT 0, Breakpoint INTEGER DEFAULT 0,"
             " Amount REAL, StartDate REAL)",
             "INSERT INTO TextRecipe (StepID, RecipeSequenceNumber, Type, Label, Hide) VALUES"
             " (1, 1, 'UP', 'Reactor', 0), (1, 2, 'OP', 'Charge', 2), (1, 3, 'OP', 'Heat', 0),"
             " (2, 1, 'UP', 'Dryer', 0)"});
    }

    QStringList listing() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The first value a statement answers on an open database.
    static QVariant queryValue(CDaoDatabase& db, const QString& sql)
    {
        QSqlQuery query = db.Query(sql);
        return query.next() ? query.value(0) : QVariant();
    }
    // The values of one column on every row of the set, in order.
    static QList<long> column(CDaoRecordset& set, const QString& name)
    {
        QList<long> values;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
            values << set.GetLong(name);
        return values;
    }

    QTemporaryDir m_dir;
};
