#include "projects/ProjectVersion.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/SharedConnection.h"

struct ParseCase {
    const char* text;
    ProjectVersionNumber expected;
};

class ProjectVersionParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ProjectVersionParseTest, SplitsMajorMinorAndLetter)
{
    const ProjectVersionNumber parsed = ParseProjectVersion(GetParam().text);
    EXPECT_EQ(parsed.major, GetParam().expected.major);
    EXPECT_EQ(parsed.minor, GetParam().expected.minor);
    EXPECT_EQ(parsed.letter, GetParam().expected.letter);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProjectVersionParseTest,
                         ::testing::Values(ParseCase{"38.0", {38, 0, 0}}, ParseCase{"37.1c", {37, 1, 3}},
                                           ParseCase{"37.9o", {37, 9, 15}}, ParseCase{"37.9O", {37, 9, 15}},
                                           ParseCase{"38.0p", {38, 0, 0}}, ParseCase{"38.10", {38, 0, 0}},
                                           ParseCase{"38.", {38, 0, 0}}, ParseCase{"9.2", {9, 2, 0}},
                                           ParseCase{"38.0ab", {38, 0, 0}}, ParseCase{"39", {39, 0, 0}},
                                           ParseCase{"x.1", {0, 1, 0}}, ParseCase{"38.x", {38, 0, 0}}));

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
    const QString expected = "Tamro Plenthover can not open this project: \"" + project +
                             "\" because no version information specified.";
    QString reason;
    RawQuery(project, "UPDATE QuorvantaVersion SET VersionNumber = ''");
    EXPECT_FALSE(CheckProjectVersion(project, reason));
    EXPECT_EQ(reason, expected);
    RawQuery(project, "DELETE FROM QuorvantaVersion");
    reason.clear();
    EXPECT_FALSE(CheckProjectVersion(project, reason));
    EXPECT_EQ(reason, expected);
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

TEST_F(ProjectVersionFileTest, UpgradeCopiesAndLeavesTheCopyClosed)
{
    const QString source = build(DatabaseKind::Project, "Demo.prj");
    const QString destination = pathOf("Demo.wc");
    WriteTextFile(destination, "an older working copy");
    EXPECT_TRUE(UpgradeDatabase(source, destination));
    EXPECT_EQ(FileBytes(destination), FileBytes(source));
    EXPECT_FALSE(CSharedConnection::isOpen(destination));
    EXPECT_FALSE(CSharedConnection::isOpen(source));
}

TEST_F(ProjectVersionFileTest, UpgradeOfAnOpenSourceGoesThroughTheLayer)
{
    const QString source = build(DatabaseKind::Project, "Demo.wc");
    CDaoDatabase open;
    open.Open(source, DatabaseRole::WorkingCopy);
    open.Execute("UPDATE Project SET ProjectName = 'Changed'");
    EXPECT_TRUE(UpgradeDatabase(source, pathOf("Copy.prj")));
    EXPECT_EQ(RawQuery(pathOf("Copy.prj"), "SELECT ProjectName FROM Project").toString(), "Changed");
    EXPECT_TRUE(open.IsOpen());
}

TEST_F(ProjectVersionFileTest, UpgradeFailsForAMissingOrForeignSource)
{
    EXPECT_FALSE(UpgradeDatabase(pathOf("missing.eqm"), pathOf("missing.ewc")));
    EXPECT_FALSE(QFile::exists(pathOf("missing.ewc")));
    WriteTextFile(pathOf("notes.mtl"), QByteArray(4096, 'n'));
    EXPECT_FALSE(UpgradeDatabase(pathOf("notes.mtl"), pathOf("notes.mwc")));
    EXPECT_FALSE(QFile::exists(pathOf("notes.mwc")));
}
