#include "SchemaTestSupport.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaObjectCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString StepPath(const QTemporaryDir& dir, qlonglong stepID)
{
    return dir.filePath(CProjectGenerator::StepFileName(long(stepID)));
}

const QStringList KEYWORDS = {"Start Parallel", "End Parallel", "Start Or", "End Or", "Series"};

// The numbering the recipe view keeps: positions without gaps, keyword ID = position, labels and
// numbers of unit procedures and operations, block numbers on Start and End rows.
void ExpectWellFormedRows(const CReadConnection& step, qlonglong stepID)
{
    const QList<QVariantList> rows = step.Rows(QStringLiteral(
        "SELECT RecipeSequenceNumber, ID, Type, Label, UPNumber, OPNumber, Indent, StepID, OperationName "
        "FROM QryTextRecipe ORDER BY RecipeSequenceNumber"));
    ASSERT_FALSE(rows.isEmpty());
    long up = 0;
    long op = 0;
    QList<long> openBlocks;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QVariantList& r = rows[i];
        const QString type = r[2].toString();
        SCOPED_TRACE(QStringLiteral("step %1 row %2 %3").arg(stepID).arg(i + 1).arg(type).toStdString());
        EXPECT_EQ(r[0].toLongLong(), i + 1);
        EXPECT_EQ(r[7].toLongLong(), stepID);
        EXPECT_TRUE(r[6].toInt() >= 1 && r[6].toInt() <= 5);
        if (type == "Unit Procedure") {
            op = 0;
            EXPECT_EQ(r[4].toLongLong(), ++up);
            EXPECT_EQ(r[3].toString(), QStringLiteral("%1.").arg(up));
            EXPECT_EQ(r[5].toLongLong(), 0);
            EXPECT_EQ(
                step.Scalar(QStringLiteral("SELECT COUNT(*) FROM UnitProcedure WHERE UnitProcedureID = %1")
                                .arg(r[1].toLongLong())),
                1);
        } else if (type == "Operation") {
            EXPECT_EQ(r[4].toLongLong(), up);
            EXPECT_EQ(r[5].toLongLong(), ++op);
            EXPECT_EQ(r[3].toString(), QStringLiteral("%1.%2.").arg(up).arg(op));
            EXPECT_EQ(step.Scalar(QStringLiteral("SELECT QuorvantaLabel FROM QryOperationForOperationID "
                                                 "WHERE OperationID = %1")
                                      .arg(r[1].toLongLong())),
                      r[8]);
        } else {
            ASSERT_TRUE(KEYWORDS.contains(type));
            EXPECT_EQ(r[1].toLongLong(), i + 1);
            EXPECT_TRUE(r[3].isNull());
            if (type.startsWith("Start"))
                openBlocks.append(r[5].toLongLong());
            if (type.startsWith("End") && !openBlocks.isEmpty()) {
                EXPECT_EQ(r[5].toLongLong(), openBlocks.takeLast());
            }
        }
    }
    EXPECT_TRUE(openBlocks.isEmpty());
}

class DemoProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), m_dir.path()))
            << generator.ErrorText().toStdString();
        m_project = std::make_unique<CReadConnection>(m_dir.filePath("Demo.prj"));
        ASSERT_TRUE(m_project->IsOpen());
    }
    QList<qlonglong> StepIDs() const
    {
        return m_project->Ids("SELECT StepID FROM ProjectStep WHERE StepName <> 'START' ORDER BY 1");
    }
    QTemporaryDir m_dir;
    std::unique_ptr<CReadConnection> m_project;
};

} // namespace

TEST_F(DemoProjectTest, TwoProcessesShareAStepAndStepsAreListedInStepOrder)
{
    EXPECT_EQ(m_project->Scalar("SELECT COUNT(*) FROM \"Process-To-Project\"").toInt(), 2);
    EXPECT_GE(StepIDs().size(), 5);
    EXPECT_EQ(m_project->Ids(QStringLiteral("SELECT StepID FROM \"Step-To-Process\" GROUP BY StepID "
                                            "HAVING COUNT(DISTINCT ProcessID) = 2")),
              QList<qlonglong>({1001}));
    const QList<qlonglong> listed = m_project->Ids("SELECT StepID FROM QryStepInProject");
    EXPECT_FALSE(listed.contains(1));
    EXPECT_TRUE(std::is_sorted(listed.cbegin(), listed.cend()));
    EXPECT_EQ(listed.count(1001), 2);
    const QList<qlonglong> steps = StepIDs();
    EXPECT_EQ(QSet<qlonglong>(listed.cbegin(), listed.cend()), QSet<qlonglong>(steps.cbegin(), steps.cend()));
    EXPECT_EQ(m_project->Ids("SELECT StepID FROM QryStepInProcessVersion WHERE ProcessID = 2"),
              QList<qlonglong>({1001, 1004, 1005, 1006}));
}

TEST_F(DemoProjectTest, EveryStepHasItsFileWithItsRowStartNodesAndWellFormedRecipeRows)
{
    QSet<QString> types;
    for (qlonglong stepID : StepIDs()) {
        SCOPED_TRACE(stepID);
        CReadConnection step(StepPath(m_dir, stepID));
        ASSERT_TRUE(step.IsOpen());
        EXPECT_EQ(step.Texts("SELECT StepID || ' ' || StepName FROM Step"),
                  m_project->Texts(
                      QStringLiteral("SELECT StepID || ' ' || StepName FROM ProjectStep WHERE StepID = %1")
                          .arg(stepID)));
        EXPECT_EQ(step.Ids("SELECT UnitProcedureID FROM QrySTARTUnitProcedure"), QList<qlonglong>({1}));
        EXPECT_EQ(step.Ids("SELECT OperationID FROM QrySTARTOperation"), QList<qlonglong>({1}));
        ExpectWellFormedRows(step, stepID);
        for (const QString& type : step.Texts("SELECT DISTINCT Type FROM TextRecipe"))
            types << type;
    }
    for (const QString& keyword : KEYWORDS)
        EXPECT_TRUE(types.contains(keyword)) << keyword.toStdString();
}

TEST_F(DemoProjectTest, ReferencesAcrossTheFilesResolve)
{
    CReadConnection equipment(m_dir.filePath("Demo.eqm"));
    CReadConnection material(m_dir.filePath("Demo.mtl"));
    const QList<qlonglong> plants = equipment.Ids("SELECT PlantID FROM Plant");
    const QList<qlonglong> items = equipment.Ids("SELECT ActualEquipmentID FROM ActualEquipmentCommon");
    const QList<qlonglong> materials = material.Ids("SELECT MaterialID FROM ActualMaterialCommon");
    QList<qlonglong> types = m_project->Ids("SELECT OperationTypeID FROM OperationsLibrary");
    types << 0; // the START operation
    const QList<qlonglong> processes = m_project->Ids("SELECT ProcessID FROM Process");
    for (qlonglong id : m_project->Ids(QStringLiteral("SELECT ProcessID FROM \"Step-To-Process\" UNION ALL "
                                                      "SELECT ProcessID FROM \"Process-To-Project\"")))
        EXPECT_TRUE(processes.contains(id)) << id;
    for (qlonglong id : m_project->Ids(QStringLiteral("SELECT FinalProductMaterialID FROM Process UNION ALL "
                                                      "SELECT KeyRawMaterialID FROM Process")))
        EXPECT_TRUE(materials.contains(id)) << id;
    EXPECT_TRUE(plants.contains(equipment.Scalar("SELECT PlantID FROM \"Plant-To-Project\"").toLongLong()));
    for (qlonglong stepID : StepIDs()) {
        CReadConnection step(StepPath(m_dir, stepID));
        EXPECT_TRUE(plants.contains(step.Scalar("SELECT PlantID FROM Step").toLongLong()));
        for (qlonglong id : step.Ids("SELECT OperationTypeID FROM Operation"))
            EXPECT_TRUE(types.contains(id)) << stepID << " type " << id;
        for (qlonglong id : step.Ids(QStringLiteral("SELECT PrimaryEquipmentID FROM UnitProcedure WHERE "
                                                    "UnitProcedureName <> 'START'")))
            EXPECT_TRUE(items.contains(id)) << stepID << " equipment " << id;
        for (qlonglong id : step.Ids(QStringLiteral("SELECT KeyInputIntermediateID FROM Step UNION ALL "
                                                    "SELECT KeyOutputIntermediateID FROM Step")))
            EXPECT_TRUE(id == -1 || materials.contains(id)) << stepID << " material " << id;
        EXPECT_EQ(step.Scalar(QStringLiteral(
                      "SELECT COUNT(*) FROM Operation o LEFT JOIN UnitProcedure u "
                      "ON u.UnitProcedureID = o.UnitProcedureID WHERE u.UnitProcedureID IS NULL")),
                  0);
    }
}

// The desktop tells the files of a project apart by the application id in their header.
TEST_F(DemoProjectTest, OutputIsByteStableAndEachFileCarriesTheApplicationIDOfItsKind)
{
    const QMap<QString, QByteArray> idBySuffix = {
        {"prj", "QVNT"}, {"STP", "QVST"}, {"eqm", "QVEQ"}, {"mtl", "QVMT"}};
    QTemporaryDir again;
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), again.path()));
    const QStringList names = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names, QDir(again.path()).entryList(QDir::Files, QDir::Name));
    ASSERT_GE(names.size(), 4);
    for (const QString& name : names) {
        const QByteArray bytes = FileBytes(m_dir.filePath(name));
        EXPECT_EQ(bytes, FileBytes(again.filePath(name))) << name.toStdString();
        EXPECT_EQ(bytes.mid(68, 4), idBySuffix.value(QFileInfo(name).suffix(), "none")) << name.toStdString();
    }
}

// The schema review, as the open runs it, finds every file of the sample and the blank template ours
// and whole (every column of ours there).
TEST_F(DemoProjectTest, TheSampleAndTheBlankTemplateAreOursToTheSchemaReview)
{
    const QMap<QString, DatabaseKind> kinds = {{"prj", DatabaseKind::Project},
                                               {"qvt", DatabaseKind::Project},
                                               {"STP", DatabaseKind::Step},
                                               {"eqm", DatabaseKind::Equipment},
                                               {"mtl", DatabaseKind::Material}};
    CProjectGenerator generator;
    ASSERT_TRUE(generator.WriteBlankTemplate(m_dir.path(), "Blank"));
    int reviewed = 0;
    for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files, QDir::Name)) {
        const auto kind = kinds.constFind(QFileInfo(name).suffix());
        if (kind == kinds.cend())
            continue;
        const SchemaObjectReview review = ReviewSchemaObjectsOfFile(m_dir.filePath(name), *kind);
        EXPECT_EQ(review.DescribeCurrent() + review.unreadable, "") << name.toStdString();
        ++reviewed;
    }
    EXPECT_GE(reviewed, 6);
}

TEST_F(DemoProjectTest, WritingOverAnExistingProjectFailsAndKeepsIt)
{
    const QByteArray before = FileBytes(m_dir.filePath("Demo.prj"));
    CProjectGenerator generator;
    EXPECT_FALSE(generator.Write(CProjectGenerator::DemoProject(), m_dir.path()));
    EXPECT_TRUE(generator.ErrorText().contains("already exists"));
    EXPECT_EQ(FileBytes(m_dir.filePath("Demo.prj")), before);
}
