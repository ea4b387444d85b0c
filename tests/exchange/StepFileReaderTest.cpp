// The reader of outside step files: the column catalogue against the schema, and a seeded mutation
// run over a Demo step file (byte flips, truncations, SQL mutants): each mutant is either rewritten
// into a sound step file of our schema or refused with a reason and left byte for byte as it was.

#include "FakeAppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/StepFileReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// One statement over a private connection; the first value, or an invalid one when it fails.
QVariant Raw(const QString& path, const QString& sql)
{
    const QString name = QUuid::createUuid().toString();
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList ColumnsOf(const QString& path, const QString& table)
{
    QStringList columns;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec(QString("SELECT name FROM pragma_table_info('%1')").arg(table));
        while (query.next())
            columns << query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(name);
    return columns;
}

QStringList TablesOf(const QString& path)
{
    return Raw(path, "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'")
        .toString()
        .split(',');
}

} // namespace

class StepFileReaderTest : public ::testing::Test {
protected:
    QString Base()
    {
        ProjectSpec spec = CProjectGenerator::DemoProject();
        CProjectGenerator generator;
        EXPECT_TRUE(generator.Write(spec, app.root() + "demo/")) << generator.ErrorText().toStdString();
        return app.root() + "demo/STEP_1001.STP";
    }
    FakeAppContext app;
};

TEST_F(StepFileReaderTest, EveryColumnOfTheStepAndMirroredLibraryTablesIsCatalogued)
{
    const QString step = app.root() + "fresh.stp";
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Step, step));
    for (const QString& table : TablesOf(step))
        for (const QString& column : ColumnsOf(step, table))
            EXPECT_TRUE(ColumnNamesOfTable(table).contains(column)) << (table + "." + column).toStdString();
    const std::pair<DatabaseKind, const char*> libraries[] = {{DatabaseKind::Equipment, "equipment"},
                                                              {DatabaseKind::Material, "material"},
                                                              {DatabaseKind::Project, "project"}};
    for (const auto& [kind, name] : libraries) {
        const QString path = app.root() + name;
        ASSERT_TRUE(CSchemaBuilder::Build(kind, path));
        for (const ExchangeTable& table : ExchangeTables()) {
            if (table.libraryTable.isEmpty() || !TablesOf(path).contains(table.libraryTable))
                continue;
            for (const QString& column : ColumnsOf(path, table.libraryTable))
                EXPECT_TRUE(ColumnNamesOfTable(table.name).contains(column) ||
                            (table.libraryTable == "TblUOMSet" && column == "ReadOnly"))
                    << (table.libraryTable + "." + column).toStdString();
        }
    }
}

// Each mutant is refused and left as it was, or comes out as a sound step file with nothing of its own.
class StepFileMutationTest : public StepFileReaderTest {
protected:
    void Check(const QString& what, const std::function<void(const QString&)>& mutate)
    {
        const QString path = app.root() + "mutant.exs";
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(base, path));
        mutate(path);
        const QByteArray before = Bytes(path);
        CStepFileReader reader;
        if (!reader.Rewrite(path)) {
            EXPECT_FALSE(reader.ErrorText().isEmpty()) << what.toStdString();
            EXPECT_EQ(Bytes(path), before) << what.toStdString();
            ++refused;
            return;
        }
        EXPECT_EQ(Raw(path, "PRAGMA integrity_check").toString(), "ok") << what.toStdString();
        EXPECT_EQ(Raw(path, "SELECT count(*) FROM Step").toInt(), 1) << what.toStdString();
        EXPECT_EQ(Raw(path, "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' OR name = 'Mutant'").toInt(), 0)
            << what.toStdString();
        EXPECT_EQ(quint32(Raw(path, "PRAGMA application_id").toLongLong()), EXCHANGE_APPLICATION_ID);
        ++accepted;
    }
    QString base;
    int refused = 0, accepted = 0;
};

TEST_F(StepFileMutationTest, SeededMutantsAreRewrittenSoundOrRefusedUnchanged)
{
    base = Base();
    const QStringList sqlMutants = {
        "CREATE VIEW Mutant AS SELECT * FROM TextRecipe",
        "CREATE TRIGGER Mutant AFTER INSERT ON TextRecipe BEGIN DELETE FROM Step; END",
        "DROP TABLE TextRecipe; CREATE VIEW TextRecipe AS SELECT * FROM Operation",
        "UPDATE Operation SET OperationTypeID = 'many' WHERE OperationID = (SELECT max(OperationID) FROM Operation)",
        "UPDATE Step SET BatchSize = 'heavy'",
        "UPDATE TextRecipe SET Type = NULL WHERE RowKey = 1",
        "UPDATE UnitProcedure SET UnitProcedureID = -5 WHERE UnitProcedureID = 1",
        "INSERT INTO TblFieldData (FieldID, GroupID, FieldTypeID) SELECT FieldID, GroupID, FieldTypeID FROM TblFieldData",
        "UPDATE Step SET StepName = printf('%.300c', 'x')",
        "UPDATE TblFieldData SET UOM = zeroblob(4)",
        "UPDATE TextRecipe SET RecipeSequenceNumber = RecipeSequenceNumber + 1 WHERE RecipeSequenceNumber > 3",
        "INSERT INTO Step (StepID, StepName) VALUES (77, 'Second')",
        "UPDATE TextRecipe SET Type = 'Launch' WHERE RowKey = 2",
        "UPDATE Step SET Description = NULL, Notes = 'any text at all'",
        "PRAGMA user_version = 99",
        "PRAGMA application_id = 7",
    };
    for (const QString& sql : sqlMutants)
        Check(sql, [&sql](const QString& path) {
            for (const QString& statement : sql.split("; "))
                Raw(path, statement);
        });
    QRandomGenerator random(20240607);
    const QByteArray original = Bytes(base);
    for (int i = 0; i < 60; ++i) {
        QByteArray bytes = original;
        const int flips = 1 + int(random.bounded(4));
        for (int f = 0; f < flips; ++f)
            bytes[int(random.bounded(bytes.size()))] ^= char(1 << random.bounded(8));
        Check(QString("flip %1").arg(i), [&bytes](const QString& path) { Write(path, bytes); });
    }
    for (int cut : {0, 50, 100, 4096, int(original.size() / 2), int(original.size() - 1)})
        Check(QString("cut %1").arg(cut), [&](const QString& path) { Write(path, original.left(cut)); });
    EXPECT_GT(refused, 15);
    EXPECT_GT(accepted, 5);
}

// Values at the edges of their columns: lengths count as the program counts text (a character
// outside the basic plane counts twice), numbers must be finite, ids must fit; a refused file
// gives the first bad value's reason and stays as it was.
TEST_F(StepFileReaderTest, ValuesAtTheEdgesOfTheirColumnsAreKeptOrRefusedWithTheirReason)
{
    const QString base = Base();
    const QString wide = QString(255, QChar(0x00E9));
    const QString astral = QString::fromUtf8("\xF0\x9F\x98\x80").repeated(128);
    struct Case {
        QString sql;
        QVariantList values;
        QString reason; // empty: accepted
    };
    const QList<Case> cases = {
        {"UPDATE Step SET StepName = ?", {wide}, ""},
        {"UPDATE Step SET StepName = ?", {wide + "e"}, "Step.StepName holds a text longer than 255 characters"},
        {"UPDATE Step SET StepName = ?", {astral}, "Step.StepName holds a text longer than 255 characters"},
        {"UPDATE Step SET BatchSize = 9e999", {}, "Step.BatchSize holds a value that is not a number"},
        {"UPDATE Step SET BatchSize = 12, StepName = ?", {wide}, ""},
        {"UPDATE UnitProcedure SET UnitProcedureID = 2147483648 WHERE UnitProcedureID = "
         "(SELECT min(UnitProcedureID) FROM UnitProcedure)",
         {},
         "UnitProcedureID 2147483648 is out of range"},
        {"UPDATE Operation SET OperationID = 0 WHERE OperationID = (SELECT min(OperationID) FROM Operation)", {},
         "OperationID 0 is not a valid id"},
        {"UPDATE Step SET CleaningFlag = 'yes'", {}, "Step.CleaningFlag holds a value that is not a whole number"},
        {"UPDATE Step SET Notes = x'41'", {}, "Step.Notes holds a value that is not text"},
        {"UPDATE Step SET BatchSize = 12.5, CleaningFlag = -7, StepName = ?", {wide}, ""},
    };
    const QString path = app.root() + "odd name ?#%.exs";
    for (const Case& each : cases) {
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(base, path));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "edge");
            db.setDatabaseName(path);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            query.prepare(each.sql);
            for (int i = 0; i < each.values.size(); ++i)
                query.bindValue(i, each.values.at(i));
            ASSERT_TRUE(query.exec()) << each.sql.toStdString();
        }
        QSqlDatabase::removeDatabase("edge");
        const QByteArray before = Bytes(path);
        CStepFileReader reader;
        EXPECT_EQ(reader.Rewrite(path), each.reason.isEmpty()) << each.sql.toStdString();
        EXPECT_EQ(reader.ErrorText(), each.reason) << each.sql.toStdString();
        if (each.reason.isEmpty())
            EXPECT_EQ(Raw(path, "SELECT StepName FROM Step").toString().size(), 255) << each.sql.toStdString();
        else
            EXPECT_EQ(Bytes(path), before) << each.sql.toStdString();
    }
}

// A table the file holds no rows of is not read, yet the template's seed rows of it still give way;
// the tables with rows come over whole.
TEST_F(StepFileReaderTest, AnEmptyTableOfTheFileLeavesItsTableEmpty)
{
    const QString path = Base();
    const QVariant lines = Raw(path, "SELECT count(*) FROM TextRecipe");
    ASSERT_GT(lines.toInt(), 0);
    Raw(path, "DELETE FROM TblFieldLibrary");
    ASSERT_EQ(Raw(path, "SELECT count(*) FROM TblFieldLibrary").toInt(), 0);
    CStepFileReader reader;
    ASSERT_TRUE(reader.Rewrite(path)) << reader.ErrorText().toStdString();
    EXPECT_EQ(Raw(path, "SELECT count(*) FROM TblFieldLibrary").toInt(), 0);
    EXPECT_EQ(Raw(path, "SELECT count(*) FROM TextRecipe"), lines);
}

// Given the step id the file is read for, every column naming the step takes it as the rows are
// copied; the file's own values are still checked, and a file of two steps is still refused whole.
// Read in place or into a new file alike; read into a new file, the source stays as it was, a
// refusal leaves no new file, and the kept connection is open on the new file only once it is read.
TEST_F(StepFileReaderTest, AGivenStepIDIsWrittenIntoEveryColumnNamingTheStep)
{
    const QString base = Base();
    const QString source = app.root() + "source.STP";
    const struct {
        const char* sql;
        QString reason;
    } cases[] = {
        {"UPDATE TextRecipe SET StepID = 77 WHERE rowid % 2 = 0", ""},
        {"INSERT INTO Step (StepID, StepName) VALUES (5, 'second')", "it holds 2 step rows instead of one"},
        {"UPDATE TextRecipe SET StepID = 'x'", "TextRecipe.StepID holds a value that is not a whole number"},
    };
    for (const auto& each : cases)
        for (const bool inPlace : {true, false}) {
            const QString path = app.root() + (inPlace ? "given.exs" : "into.exs");
            QFile::remove(path);
            QFile::remove(source);
            ASSERT_TRUE(QFile::copy(base, inPlace ? path : source));
            Raw(inPlace ? path : source, each.sql);
            const QByteArray before = Bytes(inPlace ? path : source);
            CStepFileReader reader;
            CDaoDatabase kept;
            EXPECT_EQ(inPlace ? reader.Rewrite(path, 4242) : reader.ReadInto(source, path, 4242, &kept),
                      each.reason.isEmpty())
                << each.sql;
            EXPECT_EQ(reader.ErrorText(), each.reason) << each.sql;
            EXPECT_EQ(kept.IsOpen(), !inPlace && each.reason.isEmpty()) << each.sql;
            kept.Close();
            if (!inPlace) {
                EXPECT_EQ(Bytes(source), before) << each.sql;
                EXPECT_EQ(QFile::exists(path), each.reason.isEmpty()) << each.sql;
            }
            if (!each.reason.isEmpty()) {
                if (inPlace) {
                    EXPECT_EQ(Bytes(path), before) << each.sql;
                }
                continue;
            }
            EXPECT_EQ(Raw(path, "SELECT group_concat(StepID) FROM Step").toString(), "4242");
            EXPECT_GT(Raw(path, "SELECT count(*) FROM TextRecipe").toInt(), 0);
            for (const ExchangeColumn& column : ColumnsWithRole(ColumnRole::StepRef))
                EXPECT_EQ(Raw(path, QString("SELECT count(*) FROM \"%1\" WHERE \"%2\" IS NOT 4242")
                                        .arg(column.table, column.column))
                              .toInt(),
                          0)
                    << column.table.toStdString();
        }
}
