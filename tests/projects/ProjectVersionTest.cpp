#include "projects/ProjectVersion.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/SharedConnection.h"

struct VersionCase {
    const char* stored;
    bool opens;
};

class CheckProjectVersionTest : public ProjectsFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(CheckProjectVersionTest, RefusesOnlyNewerProjects)
{
    const QString project = build(DatabaseKind::Project, "Demo.prj");
    RawQuery(project,
             QStringLiteral("UPDATE QuorvantaVersion SET VersionNumber = '%1'").arg(GetParam().stored));
    QString reason;
    EXPECT_EQ(CheckProjectVersion(project, reason), GetParam().opens);
    if (GetParam().opens)
        EXPECT_TRUE(reason.isEmpty());
    else
        EXPECT_EQ(reason, QStringLiteral("You need Tamro Plenthover %1 to open this project: \"%2\" !")
                              .arg(GetParam().stored, project));
    EXPECT_FALSE(CSharedConnection::isOpen(project));
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckProjectVersionTest,
                         ::testing::Values(VersionCase{"38.0", true}, VersionCase{"38.0a", false},
                                           VersionCase{"38.0A", false}, VersionCase{"38.1", false},
                                           VersionCase{"39.0", false}, VersionCase{"37.9o", true},
                                           VersionCase{"9.2", true}, VersionCase{"38.10", true},
                                           VersionCase{"38.0z", true}, VersionCase{"100.0", false}));

class ProjectVersionFileTest : public ProjectsFixture {};

TEST_F(ProjectVersionFileTest, AProjectWithoutVersionTextIsRefused)
{
    const QString project = build(DatabaseKind::Project, "Demo.prj");
    for (const char* sql :
         {"UPDATE QuorvantaVersion SET VersionNumber = ''", "DELETE FROM QuorvantaVersion"}) {
        RawQuery(project, sql);
        QString reason;
        EXPECT_FALSE(CheckProjectVersion(project, reason));
        EXPECT_EQ(reason, "Tamro Plenthover can not open this project: \"" + project +
                              "\" because no version information specified.");
    }
}

TEST_F(ProjectVersionFileTest, AFileThatCannotBeReadGivesTheEngineReason)
{
    for (const QString& name : {QStringLiteral("missing.prj"), QStringLiteral("text.prj")}) {
        if (name == "text.prj")
            WriteTextFile(pathOf(name), QByteArray(2048, 'x'));
        QString reason;
        EXPECT_FALSE(CheckProjectVersion(pathOf(name), reason));
        const QString prefix =
            "Tamro Plenthover can not open this project: \"" + pathOf(name) + "\".\n\nReason:\n";
        EXPECT_TRUE(reason.startsWith(prefix)) << reason.toStdString();
        EXPECT_GT(reason.size(), prefix.size());
    }
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

    EXPECT_FALSE(UpgradeDatabase(pathOf("missing.eqm"), pathOf("missing.ewc")));
    EXPECT_FALSE(QFile::exists(pathOf("missing.ewc")));
    WriteTextFile(pathOf("notes.mtl"), QByteArray(4096, 'n'));
    EXPECT_FALSE(UpgradeDatabase(pathOf("notes.mtl"), pathOf("notes.mwc")));
    EXPECT_FALSE(QFile::exists(pathOf("notes.mwc")));
}
