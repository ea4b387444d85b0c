#pragma once
// Real SQLite files in a temporary folder, built with QtSql directly so that the layer under
// test is not used to make its own fixtures.

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

class CDaoDatabase;
class CDaoRecordset;

class DbFixture : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return m_dir.filePath(name); }
    // Creates a database file from the statements and answers its path.
    QString makeDatabase(const QString& name, const QStringList& statements) const;
    QString makeRecipeDatabase(const QString& name = QStringLiteral("STEP_1.WC")) const;
    QStringList listing() const;
    static QByteArray bytesOf(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& bytes);
    // One value read with a private connection, independent of the layer.
    static QVariant scalar(const QString& path, const QString& sql, const QVariantList& values = {});
    static long count(const QString& path, const QString& sql, const QVariantList& values = {})
    {
        return long(scalar(path, sql, values).toLongLong());
    }
    // The first value a statement answers on an open database.
    static QVariant queryValue(CDaoDatabase& db, const QString& sql);
    // The values of one column on every row of the set, in order.
    static QList<long> column(CDaoRecordset& set, const QString& name);

    QTemporaryDir m_dir;
};
