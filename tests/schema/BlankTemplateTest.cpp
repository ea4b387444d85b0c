#include "SchemaTestSupport.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BlankTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CProjectGenerator generator;
        ASSERT_TRUE(generator.WriteBlankTemplate(m_dir.path(), "Blank"))
            << generator.ErrorText().toStdString();
        m_db = std::make_unique<CReadConnection>(m_dir.filePath("Blank.qvt"));
        ASSERT_TRUE(m_db->IsOpen());
    }
    QTemporaryDir m_dir;
    std::unique_ptr<CReadConnection> m_db;
};

} // namespace

TEST_F(BlankTemplateTest, HoldsOneVersionRowAndTheStartStep)
{
    EXPECT_EQ(m_db->Rows("SELECT VersionNumber FROM QuorvantaVersion"), QList<QVariantList>({{"38.0"}}));
    EXPECT_EQ(m_db->Ids("SELECT StepID FROM QrySTARTStep"), QList<qlonglong>({1}));
    EXPECT_EQ(m_db->Scalar("SELECT COUNT(*) FROM ProjectStep").toInt(), 1);
    EXPECT_TRUE(m_db->Rows("SELECT * FROM QryStepInProject").isEmpty());
    EXPECT_EQ(m_db->Scalar("SELECT COUNT(*) FROM WindowsPosition WHERE Type = 'Project Builder'"), 1);
}

TEST_F(BlankTemplateTest, HoldsTheWholeOperationCatalogue)
{
    QString error;
    const QList<OperationCatalogueRow> catalogue = CSchemaBuilder::ReadOperationCatalogue(&error);
    ASSERT_EQ(catalogue.size(), 87) << error.toStdString();
    QList<QVariantList> expected;
    for (const OperationCatalogueRow& row : catalogue)
        expected << QVariantList{qlonglong(row.operationTypeID), row.operationTypeName,
                                 row.operationDefaultLabel};
    EXPECT_EQ(
        m_db->Rows(QStringLiteral("SELECT OperationTypeID, OperationTypeName, OperationDefaultLabel FROM "
                                  "OperationsLibrary ORDER BY 1")),
        expected);
}

TEST_F(BlankTemplateTest, HoldsTheFourSimulationOptionRowsAndTheDefaults)
{
    EXPECT_EQ(m_db->Scalar(
                  QStringLiteral("SELECT group_concat(OptionType || ':' || ifnull(MaxDesignIterations, ''))"
                                 " FROM (SELECT * FROM QrySimulationOptionByType ORDER BY OptionType)")),
              "BATCH:,DESIGN:5,PLAN:,SCALEUP:");
    EXPECT_EQ(m_db->Scalar(QStringLiteral(
                               "SELECT COUNT(*) FROM QrySimulationOptionByType WHERE OptionType = 'batch'"))
                  .toInt(),
              1);
    EXPECT_EQ(m_db->Scalar("SELECT COUNT(*) FROM TblRangeLibrary WHERE \"Default\" = 1").toInt(), 1);
    EXPECT_EQ(
        m_db->Rows(QStringLiteral("SELECT CurrentDefaultValue, CurrentValueUOM FROM QryOperationDefaults "
                                  "WHERE DefaultName = 'Ambient Pressure'")),
        QList<QVariantList>({{1.0, "atm"}}));
}

TEST_F(BlankTemplateTest, SeedReferencesResolve)
{
    const struct {
        const char* children;
        const char* parents;
    } references[] = {
        {"SELECT OperationTypeID FROM OperationDefaults WHERE OperationTypeID IS NOT NULL",
         "SELECT OperationTypeID FROM OperationsLibrary"},
        {"SELECT RangeTypeID FROM SimulationOptions WHERE RangeTypeID IS NOT NULL",
         "SELECT RangeTypeID FROM TblRangeLibrary"},
        {"SELECT ProjectID FROM SimulationOptions", "SELECT ProjectID FROM Project"},
    };
    for (const auto& r : references) {
        const QList<qlonglong> parents = m_db->Ids(QString::fromLatin1(r.parents));
        for (qlonglong id : m_db->Ids(QString::fromLatin1(r.children)))
            EXPECT_TRUE(parents.contains(id)) << r.children << " -> " << id;
    }
}
