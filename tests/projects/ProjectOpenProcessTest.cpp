#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QFile>
#include <QFileInfo>

namespace {
const char* const ALREADY_OPEN =
    "This project is already open.\n\nA copy of the project may be made to continue working.";
const char* const RECOVER_QUESTION = "A working copy of this Project exists and may contain unsaved "
                                     "work.\n\nDo you want to try to recover it?";
} // namespace

class ProjectOpenProcessTest : public ProjectFixture {};

TEST_F(ProjectOpenProcessTest, AProjectThatAnotherProcessHasOpenIsRefused)
{
    const QString path = WriteDemo();
    ChildProcess other([&] { return OpenGiven(path); });
    ASSERT_TRUE(other.succeeded());
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), QStringList{ALREADY_OPEN});
    EXPECT_EQ(app.fileSet().projectDatabase, nullptr);
    EXPECT_TRUE(frame.callsNamed("OnProjectOpened").isEmpty());
}

// An earlier instance left working copies and was killed while its project database held an
// edit in the -wal beside its copy. A missing step copy: a step it had left out of its project. A
// stray step copy: an import it was killed in had made the step's copy, not yet its project rows.
struct RecoveryAnswerCase {
    bool blankTemplate, materialsMissing, stepCopyMissing, strayStepCopy;
    int answer;
    bool opens;
};

class RecoveryAnswerTest : public ProjectFixture, public ::testing::WithParamInterface<RecoveryAnswerCase> {};

TEST_P(RecoveryAnswerTest, NoOpensTheFilesAsTheyAreOnlyWhenTheyAreCompleteAndYesRecovers)
{
    const RecoveryAnswerCase& c = GetParam();
    const QString name = c.blankTemplate ? "Blank" : "Demo", kind = c.blankTemplate ? ".qvt" : ".prj";
    const QString folder = root() + "projects/" + name + "/", earlier = root() + "earlier-instance/";
    if (c.blankTemplate)
        ASSERT_TRUE(CProjectGenerator().WriteBlankTemplate(folder, name));
    else
        WriteDemo();
    LeaveEarlierInstance(folder, earlier, c.blankTemplate);
    ChildProcess killed([&] {
        auto* copy = new CDaoDatabase; // never closed: the process dies with it open
        copy->Open(earlier + name + ".wc", DatabaseRole::WorkingCopy);
        copy->Execute("UPDATE Project SET Description = 'recovered'");
        return true;
    });
    ASSERT_TRUE(killed.succeeded());
    killed.Kill();
    ASSERT_GT(QFileInfo(earlier + name + ".wc-wal").size(), 0);
    if (c.materialsMissing) {
        ASSERT_TRUE(QFile::remove(folder + name + (c.blankTemplate ? ".mtt" : ".mtl")));
    }
    if (c.stepCopyMissing) {
        ASSERT_TRUE(QFile::remove(earlier + "STEP_1004.WC"));
    }
    if (c.strayStepCopy) {
        ASSERT_TRUE(QFile::copy(earlier + "STEP_1001.WC", earlier + "STEP_1099.WC"));
    }
    prompts.expect(c.answer);
    EXPECT_EQ(OpenGiven(folder + name + kind), c.opens);
    EXPECT_EQ(prompts.texts(), QStringList{RECOVER_QUESTION});
    EXPECT_EQ(manager.InUseMarker().Holds(), c.opens);
    if (c.opens) {
        EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT Description FROM Project").toString() ==
                      "recovered",
                  c.answer == IDYES);
    }
    // Recovery moves aside the files of the kind opened, and only the step files it has copies of.
    EXPECT_EQ(QFileInfo::exists(folder + name + kind + "1"), c.answer == IDYES);
    EXPECT_FALSE(QFileInfo::exists(folder + name + (c.blankTemplate ? ".prj" : ".qvt")));
    if (c.stepCopyMissing) {
        EXPECT_FALSE(QFileInfo::exists(folder + "STEP_1004.STP1"));
    }
    // Only the steps of the recovered project come back.
    EXPECT_FALSE(QFileInfo::exists(folder + "STEP_1099.STP"));
    EXPECT_EQ(QFileInfo::exists(folder + "STEP_1001.STP1"), c.answer == IDYES && !c.blankTemplate);
}

INSTANTIATE_TEST_SUITE_P(Answers, RecoveryAnswerTest,
                         ::testing::ValuesIn(std::vector<RecoveryAnswerCase>{
                             {false, true, false, false, IDNO, false},
                             {false, true, false, false, IDYES, true},
                             {false, false, false, false, IDNO, true},
                             {false, false, false, false, IDCANCEL, false},
                             {false, false, true, false, IDYES, true},
                             {false, false, false, true, IDYES, true},
                             {true, false, false, false, IDNO, true},
                             {true, false, false, false, IDYES, true}}));
