// The unit library, the quantity kinds and the unit-of-measure sets of a fresh project database,
// checked against the built-in unit table.

#include "SchemaTestSupport.h"
#include "foundation/common/UnitConversion.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString BuildIn(const QTemporaryDir& dir, DatabaseKind kind, const QString& name)
{
    const QString path = dir.filePath(name);
    QString error;
    EXPECT_TRUE(CSchemaBuilder::Build(kind, path, &error)) << error.toStdString();
    return path;
}

class UnitLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = BuildIn(m_dir, DatabaseKind::Project, "Units.prj");
        m_db = std::make_unique<CReadConnection>(m_path);
        ASSERT_TRUE(m_db->IsOpen());
    }

    QStringList UnitsOf(const QString& quantity) const
    {
        return m_db->Texts(
            QStringLiteral("SELECT Unit FROM QryUnitByQuantity WHERE Quantity = '%1' ORDER BY RowKey")
                .arg(quantity));
    }

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<CReadConnection> m_db;
};

// "table.column = unit" for every unit name stored in a "Unit" or "...UOM" column that the
// built-in table does not know.
QStringList UnknownUnitsIn(const CReadConnection& db)
{
    QStringList unknown;
    const QStringList tables =
        db.Texts("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'");
    for (const QString& table : tables) {
        for (const QString& column : db.Columns(table)) {
            if (column.compare("Unit", Qt::CaseInsensitive) != 0 &&
                !column.endsWith("UOM", Qt::CaseInsensitive))
                continue; // not a unit column
            // Emission parameters keep choices and managed leak-rate keys in their unit column.
            const QString notUnits = table == "OperationDefaults"
                                         ? " AND NOT (VaporEmission = 1 AND (ControlState = 5 OR DefaultName = 'Leak Rate'))"
                                         : "";
            const QString sql = QStringLiteral("SELECT DISTINCT \"%1\" FROM \"%2\" WHERE \"%1\" <> ''%3")
                                    .arg(column, table, notUnits);
            for (const QString& unit : db.Texts(sql)) {
                if (GetUnitIndex(unit) < 0)
                    unknown << table + u'.' + column + " = " + unit;
            }
        }
    }
    return unknown;
}

} // namespace

TEST_F(UnitLibraryTest, QueryReturnsTheUnitsOfOneKindInListOrder)
{
    const QStringList time = {"s", "min", "h", "day", "week", "yr"};
    EXPECT_EQ(UnitsOf("time"), time);
    EXPECT_EQ(UnitsOf("TIME"), time);
    EXPECT_EQ(UnitsOf("Temperature"), QStringList({"C", "F", "K", "R"}));
    EXPECT_TRUE(UnitsOf("Furlongs").isEmpty());
    EXPECT_TRUE(UnitsOf(QString()).isEmpty());
}

TEST_F(UnitLibraryTest, TheSeededSetsAreReadOnlyAndNameOneLibraryUnitPerKind)
{
    EXPECT_EQ(m_db->Rows("SELECT UOMSetID, UOMSetName, ReadOnly FROM TblUOMSet ORDER BY UOMSetName"),
              QList<QVariantList>({{2, "English", 1}, {1, "SI", 1}}));
    const QStringList types = m_db->Texts("SELECT UOMType FROM TblUOMTypes ORDER BY UOMType");
    for (int set : {1, 2}) {
        const QList<QVariantList> rows = m_db->Rows(
            QStringLiteral(
                "SELECT UOMType, Unit, DisplayName FROM QryUOMSetDetailByUOMSetID WHERE UOMSetID = %1 "
                "ORDER BY UOMType")
                .arg(set));
        ASSERT_EQ(rows.size(), types.size()) << set;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i][0].toString(), types[i]) << set;
            EXPECT_TRUE(UnitsOf(types[i]).contains(rows[i][1].toString()))
                << set << ": " << types[i].toStdString();
            EXPECT_FALSE(rows[i][2].toString().isEmpty());
        }
    }
    EXPECT_EQ(m_db->Rows("SELECT InputUOMSetID, OutputUOMSetID FROM \"PREFER-UnitsOfMeasureSet\""),
              QList<QVariantList>({{-1, -1}}));
}

TEST_F(UnitLibraryTest, ADeletedSetTakesItsUnitsAlongAndItsIdIsNotReused)
{
    m_db.reset();
    {
        CDaoDatabase writer;
        writer.Open(m_path, DatabaseRole::ReadWrite);
        for (const char* sql : {"INSERT INTO TblUOMSet (UOMSetName, ReadOnly) VALUES ('Plant', 0)",
                                "INSERT INTO TblUOMSetDetail (UOMSetID, UOMType, Unit) "
                                "SELECT 3, UOMType, Unit FROM TblUOMSetDetail WHERE UOMSetID = 1",
                                "DELETE FROM TblUOMSet WHERE UOMSetID = 3",
                                "INSERT INTO TblUOMSet (UOMSetName, ReadOnly) VALUES ('Pilot', 0)"})
            writer.Execute(QString::fromLatin1(sql));
    }
    CReadConnection db(m_path);
    EXPECT_EQ(db.Rows("SELECT UOMSetID FROM TblUOMSet WHERE UOMSetName = 'Pilot'"),
              QList<QVariantList>({{4}}));
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM TblUOMSetDetail WHERE UOMSetID IN (3, 4)").toInt(), 0);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM TblUOMSetDetail WHERE UOMSetID = 1").toInt(),
              db.Scalar("SELECT COUNT(*) FROM TblUOMTypes").toInt());
}

// The sample project holds every seed of its kinds besides its own rows; the language
// database is built alone.
TEST(SeedUnits, EveryUnitTheSampleProjectAndTheLanguageDatabaseStoreIsInTheBuiltInTable)
{
    QTemporaryDir dir;
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), dir.path()));
    BuildIn(dir, DatabaseKind::Language, "Seed.lng");
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 10);
    for (const QString& file : files) {
        CReadConnection db(dir.filePath(file));
        ASSERT_TRUE(db.IsOpen()) << file.toStdString();
        const QStringList unknown = UnknownUnitsIn(db);
        EXPECT_TRUE(unknown.isEmpty()) << file.toStdString() << ": " << unknown.join("; ").toStdString();
    }
}
