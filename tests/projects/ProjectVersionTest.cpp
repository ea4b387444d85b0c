#include "projects/ProjectVersion.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/SharedConnection.h"

#include <QFile>

struct VersionCase {
    const char* stored; // nullptr: no version row
    bool opens;
};

class CheckProjectVersionTest : public ProjectsFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(CheckProjectVersionTest, RefusesNewerProjectsAndProjectsWithoutAVersion)
{
    const QString project = build(DatabaseKind::Project, "Demo.prj");
    const char* stored = GetParam().stored;
    RawQuery(project, stored ? QString("UPDATE QuorvantaVersion SET VersionNumber = '%1'").arg(stored)
                             : QString("DELETE FROM QuorvantaVersion"));
    QString reason;
    EXPECT_EQ(CheckProjectVersion(project, reason), GetParam().opens);
    const QString noVersion = "Tamro Plenthover can not open this project: \"" + project +
                              "\" because no version information specified.";
    const QString newer =
        QString("You need Tamro Plenthover %1 to open this project: \"%2\" !").arg(stored, project);
    EXPECT_EQ(reason, GetParam().opens ? QString() : stored && *stored ? newer : noVersion);
    EXPECT_FALSE(CSharedConnection::isOpen(project));
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckProjectVersionTest,
                         ::testing::Values(VersionCase{"38.0", true}, VersionCase{"38.0a", false},
                                           VersionCase{"38.0A", false}, VersionCase{"38.1", false},
                                           VersionCase{"39.0", false}, VersionCase{"37.9o", true},
                                           VersionCase{"9.2", true}, VersionCase{"38.10", true},
                                           VersionCase{"38.0z", true}, VersionCase{"100.0", false},
                                           VersionCase{"", false}, VersionCase{nullptr, false}));

class ProjectVersionFileTest : public ProjectsFixture {};

TEST_F(ProjectVersionFileTest, AMissingFileGivesTheEngineReasonAndIsNotCreated)
{
    QString reason;
    EXPECT_FALSE(CheckProjectVersion(pathOf("missing.prj"), reason));
    const QString prefix =
        "Tamro Plenthover can not open this project: \"" + pathOf("missing.prj") + "\".\n\nReason:\n";
    EXPECT_TRUE(reason.startsWith(prefix)) << reason.toStdString();
    EXPECT_GT(reason.size(), prefix.size());
    EXPECT_FALSE(QFile::exists(pathOf("missing.prj")));
}

TEST_F(ProjectVersionFileTest, UpgradeCopiesThroughTheLayerAndFailsForAMissingOrForeignSource)
{
    const QString source = build(DatabaseKind::Project, "Demo.wc");
    WriteTextFile(pathOf("Copy.prj"), "an older copy");
    CDaoDatabase open;
    open.Open(source, DatabaseRole::WorkingCopy);
    open.Execute("UPDATE Project SET ProjectName = 'Changed'");
    EXPECT_TRUE(UpgradeDatabase(source, pathOf("Copy.prj")));
    EXPECT_EQ(RawQuery(pathOf("Copy.prj"), "SELECT ProjectName FROM Project").toString(), "Changed");
    EXPECT_TRUE(open.IsOpen());
    EXPECT_FALSE(CSharedConnection::isOpen(pathOf("Copy.prj")));

    WriteTextFile(pathOf("notes.mtl"), QByteArray(4096, 'n'));
    for (const char* name : {"missing", "notes"}) {
        EXPECT_FALSE(UpgradeDatabase(pathOf(name + QString(".mtl")), pathOf(name + QString(".mwc")))) << name;
        EXPECT_FALSE(QFile::exists(pathOf(name + QString(".mwc")))) << name;
    }
}
