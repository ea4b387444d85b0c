#include "projects/ProjectVersion.h"
#include "ProjectsTestSupport.h"
#include "foundation/db/connection/SharedConnection.h"

#include <QFile>

class ProjectVersionTest : public ProjectsFixture {};

// Each row: the stored version (nullptr: no version row) and whether the project opens.
TEST_F(ProjectVersionTest, RefusesNewerProjectsAndProjectsWithoutAVersion)
{
    const QString project = build(DatabaseKind::Project, "Demo.prj");
    const std::pair<const char*, bool> rows[] = {{"38.0", true},   {"38.0a", false}, {"38.0A", false},
                                                 {"38.1", false},  {"39.0", false},  {"37.9o", true},
                                                 {"9.2", true},    {"38.10", true},  {"38.0z", true},
                                                 {"100.0", false}, {"", false},      {nullptr, false}};
    const QString noVersion = "Tamro Plenthover can not open this project: \"" + project +
                              "\" because no version information specified.";
    for (const auto& [stored, opens] : rows) {
        RawQuery(project, stored ? QString("UPDATE QuorvantaVersion SET VersionNumber = '%1'").arg(stored)
                                 : QString("DELETE FROM QuorvantaVersion"));
        const QString newer =
            QString("You need Tamro Plenthover %1 to open this project: \"%2\" !").arg(stored, project);
        QString reason;
        EXPECT_EQ(CheckProjectVersion(project, reason), opens) << stored;
        EXPECT_EQ(reason, opens ? QString() : stored && *stored ? newer : noVersion);
        EXPECT_FALSE(CSharedConnection::isOpen(project));
    }
    QString reason; // a missing file gives the engine's reason and is not created
    EXPECT_FALSE(CheckProjectVersion(pathOf("missing.prj"), reason));
    const QString prefix =
        "Tamro Plenthover can not open this project: \"" + pathOf("missing.prj") + "\".\n\nReason:\n";
    EXPECT_TRUE(reason.startsWith(prefix) && reason.size() > prefix.size()) << reason.toStdString();
    EXPECT_FALSE(QFile::exists(pathOf("missing.prj")));
}
