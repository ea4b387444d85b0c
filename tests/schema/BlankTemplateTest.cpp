#include "SchemaTestSupport.h"
#include "foundation/db/ProjectGenerator.h"
#include "foundation/db/SchemaBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class BlankTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CProjectGenerator generator;
        ASSERT_TRUE(generator.WriteBlankTemplate(m_dir.path(), QStringLiteral("Blank")))
            << generator.ErrorText().toStdString();
        m_db = std::make_unique<CReadConnection>(m_dir.filePath(QStringLiteral("Blank.qvt")));
        ASSERT_TRUE(m_db->IsOpen());
    }
    QTemporaryDir m_dir;
    std::unique_ptr<CReadConnection> m_db;
};

} // namespace

TEST_F(BlankTemplateTest, HoldsOneVersionRowAndTheStartStep)
{
    EXPECT_EQ(m_db->Rows(QStringLiteral("SELECT VersionNumber FROM QuorvantaVersion")),
              QList<QVariantList>({{QStringLiteral("38.0")}}));
    EXPECT_EQ(m_db->Ids(QStringLiteral("SELECT StepID FROM QrySTARTStep")), QList<qlonglong>({1}));
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM ProjectStep")).toInt(), 1);
    EXPECT_TRUE(m_db->Rows(QStringLiteral("SELECT * FROM QryStepInProject")).isEmpty());
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM WindowsPosition WHERE Type = 'Project Builder'")), 1);
}

TEST_F(BlankTemplateTest, HoldsTheWholeOperationCatalogue)
{
    QString error;
    const QList<OperationCatalogueRow> catalogue = CSchemaBuilder::ReadOperationCatalogue(&error);
    ASSERT_EQ(catalogue.size(), 87) << error.toStdString();
    const QList<QVariantList> rows = m_db->Rows(QStringLiteral(
        "SELECT OperationTypeID, OperationTypeName, OperationDefaultLabel FROM OperationsLibrary ORDER BY 1"));
    ASSERT_EQ(rows.size(), catalogue.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].toLongLong(), catalogue[i].operationTypeID);
        EXPECT_EQ(rows[i][1].toString(), catalogue[i].operationTypeName);
        EXPECT_EQ(rows[i][2].toString(), catalogue[i].operationDefaultLabel);
    }
    const struct {
        int id;
        const char* name;
        const char* label;
    } samples[] = {{1, "Age", "Age Operation"},
                   {9, "Transfer-Through-Heat-Exchanger", "Transfer-Through-Heat-Exchange Operation"},
                   {27, "Heat-To-Reflux-And-Age", "Heat-To-Reflux-And-Age Operation"},
                   {47, "Multi-Drop Centrifuge", "Multi-Drop Centrifuge Operation"},
                   {80, "High-Shear Granulate", "High Shear Granulate Operation"},
                   {91, "Set-State", "Set-State Operation"}};
    for (const auto& s : samples) {
        const QString sql = QStringLiteral("SELECT OperationTypeName, OperationDefaultLabel FROM OperationsLibrary "
                                           "WHERE OperationTypeID = %1")
                                .arg(s.id);
        EXPECT_EQ(m_db->Rows(sql), QList<QVariantList>({{QString::fromLatin1(s.name), QString::fromLatin1(s.label)}}));
    }
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM OperationsLibrary WHERE OperationTypeID IN "
                                          "(6, 8, 36, 42) OR OperationTypeID NOT BETWEEN 1 AND 91"))
                  .toInt(),
              0);
}

TEST_F(BlankTemplateTest, HoldsTheFourSimulationOptionRowsAndTheDefaultUnitSet)
{
    for (const char* type : {"BATCH", "PLAN", "SCALEUP", "DESIGN"}) {
        const QString sql =
            QStringLiteral("SELECT COUNT(*) FROM QrySimulationOptionByType WHERE OptionType = '%1'").arg(type);
        EXPECT_EQ(m_db->Scalar(sql).toInt(), 1) << type;
    }
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM QrySimulationOptionByType")).toInt(), 4);
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM QrySimulationOptionByType WHERE OptionType = 'batch'"))
                  .toInt(),
              1);
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT MaxDesignIterations FROM QrySimulationOptionByType "
                                          "WHERE OptionType = 'DESIGN'"))
                  .toInt(),
              5);
    EXPECT_EQ(m_db->Rows(QStringLiteral("SELECT InputUOMSetID, OutputUOMSetID FROM \"PREFER-UnitsOfMeasureSet\"")),
              QList<QVariantList>({{-1, -1}}));
    EXPECT_EQ(m_db->Scalar(QStringLiteral("SELECT COUNT(*) FROM TblRangeLibrary WHERE \"Default\" = 1")).toInt(), 1);
    EXPECT_EQ(m_db->Rows(QStringLiteral("SELECT CurrentDefaultValue, CurrentValueUOM FROM QryOperationDefaults "
                                        "WHERE DefaultName = 'Ambient Pressure'")),
              QList<QVariantList>({{1.0, QStringLiteral("atm")}}));
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
