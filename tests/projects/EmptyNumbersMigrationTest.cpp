// Step and project files whose number columns hold empty texts get NULL back in their place; texts
// stay as they are. The migration names every nullable number column the schema had when it came.

#include "ProjectsTestSupport.h"
#include "modules/steputils/SchemaMigrator.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

const char* const MIGRATION = "empty-numbers-to-null";

QString Unquoted(QString name)
{
    return name.remove(QLatin1Char('"'));
}

// "Table.Column" of every column the migration sets to NULL.
QSet<QString> NulledColumns(const SchemaMigration& migration)
{
    static const QRegularExpression update(
        QStringLiteral("UPDATE (\"[^\"]+\"|\\w+) SET (\\w+) = NULL WHERE (\\w+) = ''"));
    QSet<QString> columns;
    for (const QRegularExpressionMatch& match : update.globalMatch(migration.sql)) {
        EXPECT_EQ(match.captured(2), match.captured(3));
        columns.insert(Unquoted(match.captured(1)) + "." + match.captured(2));
    }
    return columns;
}

// Tables created and "Table.Column"s added by the migrations after the one numbered.
QSet<QString> CreatedAfter(DatabaseKind kind, int number)
{
    static const QRegularExpression table(QStringLiteral("CREATE TABLE (\"[^\"]+\"|\\w+)"));
    static const QRegularExpression column(QStringLiteral("ALTER TABLE (\"[^\"]+\"|\\w+) ADD COLUMN (\\w+)"));
    QSet<QString> created;
    for (const SchemaMigration& later : BuiltInMigrations(kind)) {
        if (later.number <= number)
            continue;
        for (const QRegularExpressionMatch& match : table.globalMatch(later.sql))
            created.insert(Unquoted(match.captured(1)));
        for (const QRegularExpressionMatch& match : column.globalMatch(later.sql))
            created.insert(Unquoted(match.captured(1)) + "." + match.captured(2));
    }
    return created;
}

// "Table.Column" of the file's columns declared INTEGER or REAL, split by whether they take NULL.
void NumberColumns(const QString& path, QSet<QString>* nullable, QSet<QString>* other)
{
    const QString name = QStringLiteral("number_columns");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(
            query.exec("SELECT t.name, c.name, c.\"notnull\" OR c.pk FROM sqlite_master t,"
                       " pragma_table_info(t.name) c WHERE t.type = 'table' AND t.name NOT LIKE 'sqlite%'"
                       " AND upper(c.type) IN ('INTEGER', 'REAL')"));
        while (query.next())
            (query.value(2).toBool() ? other : nullable)
                ->insert(query.value(0).toString() + "." + query.value(1).toString());
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

class EmptyNumbersMigrationTest : public ProjectsFixture {};

TEST_F(EmptyNumbersMigrationTest, EmptyTextsInNumberColumnsBecomeNullAndTextsStay)
{
    const struct {
        DatabaseKind kind;
        QStringList seed;   // '' in number columns and in a text column, beside numbers that stay
        const char* values; // the seeded rows afterwards
    } files[] = {
        {DatabaseKind::Step,
         {"INSERT INTO TblFieldData (FieldID, GroupID, FieldTypeID, DoubleValue, LongValue, UOM, StringValue)"
          " VALUES (901, 1, 100001, 2.5, '', '', ''), (902, 1, 100001, 0, 0, 'kg', 'x')",
          "INSERT INTO TblRangeData (RangeID, GroupID, FieldTypeID, RangeTypeID, High, HighUOM)"
          " VALUES (903, 1, 100001, '', 4.5, '')"},
         "SELECT group_concat(v, ' | ') FROM (SELECT quote(DoubleValue) || ' ' || quote(LongValue) || ' '"
         " || quote(UOM) || ' ' || quote(StringValue) AS v FROM TblFieldData WHERE FieldID > 900"
         " UNION ALL SELECT quote(RangeTypeID) || ' ' || quote(High) || ' ' || quote(HighUOM) FROM "
         "TblRangeData"
         " WHERE RangeID = 903)"},
        {DatabaseKind::Project,
         {"INSERT INTO \"PREFER-ControlEfficiency\" (ComponentCategory, ControlEfficiency) VALUES ('', ''),"
          " ('Acids', 0.5)"},
         "SELECT group_concat(quote(ComponentCategory) || ' ' || quote(ControlEfficiency), ' | ')"
         " FROM \"PREFER-ControlEfficiency\" WHERE ComponentCategory IN ('', 'Acids')"},
    };
    const char* const expected[] = {"2.5 NULL '' '' | 0.0 0 'kg' 'x' | NULL 4.5 ''", "'' NULL | 'Acids' 0.5"};
    for (size_t i = 0; i < std::size(files); ++i) {
        const auto& file = files[i];
        SCOPED_TRACE(DatabaseKindName(file.kind).toStdString());
        const QString old = build(file.kind, "old." + DatabaseKindName(file.kind));
        for (const QString& statement : file.seed)
            RawQuery(old, statement);
        const int number = MigrationNumberNamed(file.kind, MIGRATION);
        for (const QString& later : CreatedAfter(file.kind, number)) // tables of later migrations go
            if (!later.contains('.'))
                RawQuery(old, QStringLiteral("DROP TABLE IF EXISTS \"%1\"").arg(later));
        RawQuery(old, QStringLiteral("PRAGMA user_version = %1").arg(number - 1));

        CSchemaMigrator migrator(file.kind, BuiltInMigrations(file.kind));
        EXPECT_EQ(migrator.Migrate(old, DatabaseRole::ReadWrite), MigrationOutcome::Migrated)
            << migrator.ErrorText().toStdString();
        EXPECT_EQ(RawQuery(old, "PRAGMA user_version").toInt(), CSchemaBuilder::SchemaVersion(file.kind));
        EXPECT_EQ(RawQuery(old, file.values).toString().toStdString(), expected[i]);
    }
}

// Every nullable INTEGER or REAL column of the schema the migration came with is named, and no
// other column: a text column keeps its empty texts, a NOT NULL one could not take the NULL.
TEST_F(EmptyNumbersMigrationTest, TheMigrationNamesEveryNullableNumberColumnAndNothingElse)
{
    for (DatabaseKind kind : {DatabaseKind::Step, DatabaseKind::Project}) {
        SCOPED_TRACE(DatabaseKindName(kind).toStdString());
        const int number = MigrationNumberNamed(kind, MIGRATION);
        ASSERT_GT(number, 0);
        SchemaMigration migration;
        for (const SchemaMigration& each : BuiltInMigrations(kind))
            if (each.number == number)
                migration = each;
        QSet<QString> nullable, other;
        NumberColumns(build(kind, "fresh." + DatabaseKindName(kind)), &nullable, &other);
        const QSet<QString> later = CreatedAfter(kind, number);
        QSet<QString> wanted;
        for (const QString& column : nullable)
            if (!later.contains(column) && !later.contains(column.section('.', 0, 0)))
                wanted.insert(column);
        ASSERT_GT(wanted.size(), 10);
        const QSet<QString> named = NulledColumns(migration);
        EXPECT_EQ(QStringList((wanted - named).values()).join(' ').toStdString(), "") << "not named";
        EXPECT_EQ(QStringList((named - wanted).values()).join(' ').toStdString(), "")
            << "not a nullable number";
    }
}
