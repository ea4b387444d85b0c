// Project folders a colleague could send: links under the names the open and the save write, and an
// in-use marker naming a folder of working copies this program never made. Each folder is built
// here as such a folder was found to harm the program.

#include "ProjectFixture.h"
#include "foundation/common/NewFile.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
const QByteArray USER_DATA = "precious user data";
const QString FIRST_STEP = QStringLiteral("STEP_1001.STP");

struct LinkCase {
    const char* name;   // the link's name in the project folder
    bool refusedAtOpen; // else refused by the save
    bool dangling;      // else it names a user's file
};

void PrintTo(const LinkCase& c, std::ostream* out)
{
    *out << c.name << (c.dangling ? " dangling" : " to a user's file");
}
} // namespace

class LinkInFolderTest : public ProjectFixture, public ::testing::WithParamInterface<LinkCase> {
protected:
    QString outside() const { return root() + "outside/"; }
    // The project's own files with their bytes.
    QMap<QString, QByteArray> ProjectFiles() const
    {
        QMap<QString, QByteArray> files;
        for (const QString& name :
             {QString("Demo.prj"), QString("Demo.eqm"), QString("Demo.mtl"), FIRST_STEP}) {
            EXPECT_FALSE(IsSymbolicLink(projectDir() + name)) << name.toStdString();
            files[name] = FileBytes(projectDir() + name);
        }
        return files;
    }
};

// The link is refused by name; the file it names keeps its bytes, nothing is created outside the
// folder, the project's files stay plain and unchanged, and the link itself is left for the user.
TEST_P(LinkInFolderTest, IsRefusedByNameAndNothingIsWrittenThroughIt)
{
    const LinkCase& c = GetParam();
    const QString path = WriteDemo();
    WriteTextFile(outside() + "thesis.docx", USER_DATA);
    const QString link = projectDir() + c.name;
    const QString target =
        c.dangling ? QString("../../outside/made-by-") + c.name : "../../outside/thesis.docx";
    ASSERT_TRUE(QFile::link(target, link));
    const QMap<QString, QByteArray> before = ProjectFiles();
    if (!c.refusedAtOpen) {
        ASSERT_TRUE(OpenGiven(path)) << prompts.lastText().toStdString();
        EditProject("UPDATE Process SET Description = 'Edited' WHERE ProcessID = 1");
        EditStep(1001, "UPDATE TextRecipe SET Label = 'Edited' WHERE ID = (SELECT MAX(ID) FROM TextRecipe)");
    }
    prompts.expect(IDOK);
    EXPECT_FALSE(c.refusedAtOpen ? OpenGiven(path) : manager.SaveProject(QString(), false));
    EXPECT_EQ(prompts.lastText(), LinkRefusedText(link));
    if (!c.refusedAtOpen) {
        ASSERT_TRUE(manager.CloseCurrentProject(SaveAnswer::Discard));
    }
    EXPECT_EQ(QDir(outside()).entryList(QDir::Files | QDir::System), QStringList{"thesis.docx"});
    EXPECT_EQ(FileBytes(outside() + "thesis.docx"), USER_DATA);
    EXPECT_EQ(ProjectFiles(), before);
    EXPECT_TRUE(IsSymbolicLink(link));
}

INSTANTIATE_TEST_SUITE_P(
    Names, LinkInFolderTest,
    ::testing::Values(LinkCase{"WorkingPath.txt", true, false}, LinkCase{"WorkingPath.txt", true, true},
                      LinkCase{"Demo.prj.save", true, true}, LinkCase{"Demo.prj.tmp", false, true},
                      LinkCase{"Demo.prj.tmp", false, false}, LinkCase{"STEP_1001.STP.tmp", false, true}));

// A marker naming a folder outside this program's working copies is a stale marker: no recovery is
// offered, and nothing in that folder is read into the project, copied or deleted.
TEST_F(ProjectFixture, AMarkerNamingAFolderThisProgramDidNotMakeOffersNoRecovery)
{
    const QString path = WriteDemo();
    QTemporaryDir elsewhere; // outside the program's folders
    const QString other = elsewhere.path() + "/other/";
    ASSERT_TRUE(QDir().mkpath(other));
    const QStringList copies{"Demo.wc", "Demo.ewc", "Demo.mwc"};
    const QStringList sources{"Demo.prj", "Demo.eqm", "Demo.mtl"};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(CopyDatabaseFile(projectDir() + sources.at(i), other + copies.at(i)));
    ASSERT_TRUE(CopyDatabaseFile(projectDir() + FIRST_STEP, other + "Step_1001.wc"));
    WriteTextFile(other + "Weekly_User_Sim_Def_1.txt", "1, 1, 1001, 1001, 3, -1, 4, x, y");
    WriteTextFile(other + "unrelated.txt", "mine");
    WriteTextFile(projectDir() + "WorkingPath.txt", QFile::encodeName(other));
    const QMap<QString, QByteArray> otherBefore = Snapshot(other);
    QMap<QString, QByteArray> projectBefore = Snapshot(projectDir());

    ASSERT_TRUE(OpenGiven(path)) << prompts.lastText().toStdString();
    EXPECT_EQ(prompts.texts(), QStringList());
    ASSERT_TRUE(manager.CloseCurrentProject());
    EXPECT_EQ(Snapshot(other), otherBefore);
    projectBefore.remove("WorkingPath.txt"); // the stale marker went with the close
    EXPECT_EQ(Snapshot(projectDir()), projectBefore);
}

// Only a folder below the working-copies root, its links resolved, is one of this program's.
TEST_F(ProjectFixture, AnInstanceFolderLiesBelowTheWorkingCopiesRoot)
{
    const QString root = app.paths()->workingCopiesRoot();
    QDir().mkpath(root + "instance-a");
    QDir().mkpath(app.root() + "other");
    ASSERT_TRUE(QFile::link(app.root() + "other", root + "instance-link"));
    const std::pair<QString, bool> cases[] = {{root + "instance-a", true},
                                              {root + "instance-a/", true},
                                              {root, false},
                                              {root + "instance-a/../../other", false},
                                              {root + "instance-link", false},
                                              {root + "instance-gone", false},
                                              {app.root() + "other", false},
                                              {QString(), false}};
    for (const auto& [folder, isInstance] : cases)
        EXPECT_EQ(app.paths()->PathProvider::isInstanceFolder(folder), isInstance) << folder.toStdString();
}
