#include "foundation/db/schema/SchemaTableReader.h"
#include "DbFixture.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <algorithm>
#include <functional>
#include <sys/stat.h>

class SchemaTableReaderTest : public DbFixture {
protected:
    // The rows as the engine reads them, in its order, one "type|name|sql" each (sql "<null>").
    static QStringList engineRows(const QString& path)
    {
        QStringList rows;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("engine_rows"));
            db.setDatabaseName(path);
            EXPECT_TRUE(db.open());
            QSqlQuery query(QStringLiteral("SELECT type, name, sql FROM sqlite_master"), db);
            while (query.next())
                rows << joined(query.value(0).toString(), query.value(1).toString(),
                               query.value(2).isNull() ? QStringLiteral("<null>")
                                                       : query.value(2).toString());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("engine_rows"));
        return rows;
    }
    static std::optional<QStringList> readerRows(const QString& path, SchemaTexts texts = SchemaTexts::All)
    {
        const std::optional<QList<SchemaTableRow>> rows = ReadSchemaTableRows(path, texts);
        if (!rows)
            return std::nullopt;
        QStringList joinedRows;
        for (const SchemaTableRow& row : *rows)
            joinedRows << joined(row.type, row.name, row.sql.isNull() ? QStringLiteral("<null>") : row.sql);
        return joinedRows;
    }
    static QString joined(const QString& type, const QString& name, const QString& sql)
    {
        return type + '|' + name + '|' + sql;
    }
    // The engine's rows with the sql of every table and index read as NULL.
    static QStringList withViewAndTriggerTextsOnly(QStringList rows)
    {
        for (QString& row : rows) {
            if (!row.startsWith(QLatin1String("view|")) && !row.startsWith(QLatin1String("trigger|")))
                row = row.section('|', 0, 1) + QStringLiteral("|<null>");
        }
        return rows;
    }
    // The statements on one connection, without flushes.
    QString write(const QString& name, const QStringList& statements) const
    {
        const QString path = pathOf(name);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            db.setDatabaseName(path);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            for (const QString& sql : QStringList{"PRAGMA synchronous = OFF"} + statements)
                EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        return path;
    }
    static void patch(const QString& path, qint64 offset, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(offset));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
};

namespace {
// Enough objects, with long enough texts, that the schema spans interior pages and overflow pages.
QStringList largeSchema(int pageSize)
{
    QStringList statements{QStringLiteral("PRAGMA page_size = %1").arg(pageSize)};
    for (int i = 0; i < 120; ++i)
        statements << QStringLiteral("CREATE TABLE T%1 (A INTEGER, B TEXT DEFAULT '%2')")
                          .arg(i)
                          .arg(QString(i * 7, QChar(u'x')));
    statements
        << QStringLiteral("CREATE INDEX T1ByA ON T1 (A)")
        << QStringLiteral("CREATE VIEW Long AS SELECT '%1' AS Text").arg(QString(20000, QChar(u'\u00e9')))
        << QStringLiteral("CREATE TRIGGER Spin AFTER INSERT ON T0 BEGIN SELECT 1; END");
    return statements;
}
} // namespace

// Every kind's schema, and schemas of several levels with overflowing texts, read as the engine
// reads them (rows, order, NULL texts of automatic indexes).
TEST_F(SchemaTableReaderTest, ReadsTheRowsTheEngineReads)
{
    for (DatabaseKind kind : ALL_DATABASE_KINDS) {
        const QString path = pathOf(DatabaseKindName(kind) + ".db");
        ASSERT_TRUE(CSchemaBuilder::Build(kind, path));
        EXPECT_EQ(readerRows(path), engineRows(path)) << DatabaseKindName(kind).toStdString();
    }
    for (int pageSize : {512, 4096, 65536}) {
        const QString path = write(QStringLiteral("large-%1.db").arg(pageSize), largeSchema(pageSize));
        const QStringList expected = engineRows(path);
        ASSERT_GT(expected.size(), 120);
        EXPECT_EQ(readerRows(path), expected) << pageSize;
        EXPECT_EQ(readerRows(path, SchemaTexts::OfViewsAndTriggers), withViewAndTriggerTextsOnly(expected))
            << pageSize;
        // The records alone are the same whatever texts are read; the rows then hold none.
        QByteArray all, none;
        ASSERT_TRUE(ReadSchemaTableRows(path, SchemaTexts::All, &all));
        const std::optional<QList<SchemaTableRow>> bare = ReadSchemaTableRows(path, SchemaTexts::None, &none);
        ASSERT_TRUE(bare);
        EXPECT_EQ(none, all) << pageSize;
        EXPECT_EQ(bare->size(), expected.size());
        EXPECT_TRUE(std::all_of(bare->cbegin(), bare->cend(), [](const SchemaTableRow& row) {
            return row.type.isNull() && row.name.isNull() && row.sql.isNull();
        })) << pageSize;
    }
    EXPECT_EQ(readerRows(write("empty.db", {"CREATE TABLE Gone (A)", "DROP TABLE Gone"})), QStringList());
}

// What the reader does not expect makes it give up, never loop or read past a page.
TEST_F(SchemaTableReaderTest, GivesUpOnWhatItDoesNotExpect)
{
    const struct {
        const char* what;
        std::function<void(const QString&)> damage;
    } cases[] = {
        {"UTF-16 text", [](const QString& path) { patch(path, 56, QByteArray("\0\0\0\2", 4)); }},
        {"page kind", [](const QString& path) { patch(path, 100, QByteArray("\x0A", 1)); }},
        {"cell count", [](const QString& path) { patch(path, 103, QByteArray("\x7F\xFF", 2)); }},
        {"child out of range", [](const QString& path) { patch(path, 108, QByteArray("\x7F\0\0\0", 4)); }},
        {"child is the root", [](const QString& path) { patch(path, 108, QByteArray("\0\0\0\1", 4)); }},
        {"truncated", [](const QString& path) { ASSERT_TRUE(QFile::resize(path, 2 * 512)); }},
        {"no database", [](const QString& path) { patch(path, 0, "Not a database!"); }},
    };
    for (const auto& c : cases) {
        const QString path = write(QStringLiteral("%1.db").arg(c.what), largeSchema(512));
        c.damage(path);
        EXPECT_EQ(readerRows(path), std::nullopt) << c.what;
        EXPECT_EQ(readerRows(path, SchemaTexts::OfViewsAndTriggers), std::nullopt) << c.what;
        EXPECT_EQ(readerRows(path, SchemaTexts::None), std::nullopt) << c.what;
    }
    // A table's sql that is no text (a blob), though the review leaves tables' texts unread.
    const QString blobText =
        write("blob-sql.db",
              largeSchema(512) + QStringList{"PRAGMA writable_schema = ON",
                                             "UPDATE sqlite_master SET sql = x'2A' WHERE name = 'T5'"});
    EXPECT_EQ(readerRows(blobText, SchemaTexts::OfViewsAndTriggers), std::nullopt);
    EXPECT_EQ(readerRows(blobText, SchemaTexts::None), std::nullopt);
    EXPECT_EQ(ReadSchemaTableRows(pathOf("missing.db")), std::nullopt);
    // A named pipe under the name is no schema, and its open does not wait for a writer.
    const QString pipe = pathOf("pipe.db");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(ReadSchemaTableRows(pipe, SchemaTexts::None), std::nullopt);
}
