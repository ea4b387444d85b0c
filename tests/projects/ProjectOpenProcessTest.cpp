#include "OpenFixture.h"
#include "QtPrinters.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"

#include <QFile>
#include <QFileInfo>

namespace {
const char* const ALREADY_OPEN =
    "This project is already open.\n\nA copy of the project may be made to continue working.";
const char* const RECOVER_QUESTION = "A working copy of this Project exists and may contain unsaved "
                                     "work.\n\nDo you want to try to recover it?";

} // namespace

class ProjectOpenProcessTest : public OpenFixture {};

TEST_F(ProjectOpenProcessTest, AProjectThatAnotherProcessHasOpenIsRefused)
{
    const QString path = WriteDemo("projects/Demo");
    ChildProcess other([&] { return OpenGiven(path); });
    ASSERT_TRUE(other.succeeded());
    prompts.expect(IDOK);
    EXPECT_FALSE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), QStringList{ALREADY_OPEN});
    EXPECT_EQ(app.fileSet().projectDatabase, nullptr);
    EXPECT_TRUE(frame.callsNamed("OnProjectOpened").isEmpty());
}

// The earlier instance opened its working copies in the working-copy role, edited the project
// and was killed: the edit lies only in the -wal beside its copy.
TEST_F(ProjectOpenProcessTest, WorkingCopiesOfAKilledInstanceAreRecoveredWithTheirEdits)
{
    const QString path = WriteDemo("projects/Demo");
    const QString folder = root() + "projects/Demo/";
    const QString earlier = root() + "earlier-instance/";
    LeaveEarlierInstance(folder, earlier);
    ChildProcess killed([&] {
        auto* copy = new CDaoDatabase; // never closed: the process dies with it open
        copy->Open(earlier + "Demo.wc", DatabaseRole::WorkingCopy);
        copy->Execute("UPDATE Project SET Description = 'edited before the crash'");
        return true;
    });
    ASSERT_TRUE(killed.succeeded());
    killed.Kill();
    ASSERT_GT(QFileInfo(earlier + "Demo.wc-wal").size(), 0);

    prompts.expect(IDYES);
    ASSERT_TRUE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), QStringList{RECOVER_QUESTION});
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT Description FROM Project").toString(),
              "edited before the crash");
    EXPECT_TRUE(QFileInfo::exists(folder + "Demo.prj1"));
    EXPECT_TRUE(manager.HoldsInUseMarker());
}

// An earlier instance left working copies whose project database holds an edit.
struct RecoveryAnswerCase {
    bool blankTemplate;
    bool materialsMissing;
    bool stepCopyMissing; // a step the earlier instance had left out of its project
    int answer;
    bool opens;
};

class RecoveryAnswerTest : public OpenFixture, public ::testing::WithParamInterface<RecoveryAnswerCase> {};

TEST_P(RecoveryAnswerTest, NoOpensTheFilesAsTheyAreOnlyWhenTheyAreCompleteAndYesRecovers)
{
    const RecoveryAnswerCase& c = GetParam();
    const QString name = c.blankTemplate ? "Blank" : "Demo";
    const QString folder = root() + "projects/" + name + "/";
    QString path = folder + name + ".qvt";
    if (c.blankTemplate)
        ASSERT_TRUE(CProjectGenerator().WriteBlankTemplate(folder, name));
    else
        path = WriteDemo("projects/Demo");
    const QString earlier = root() + "earlier-instance/";
    LeaveEarlierInstance(folder, earlier, c.blankTemplate);
    RawQuery(earlier + name + ".wc", "UPDATE Project SET Description = 'recovered'");
    if (c.materialsMissing) {
        ASSERT_TRUE(QFile::remove(folder + name + (c.blankTemplate ? ".mtt" : ".mtl")));
    }
    if (c.stepCopyMissing) {
        ASSERT_TRUE(QFile::remove(earlier + "STEP_1004.WC"));
    }
    prompts.expect(c.answer);
    const bool opened = OpenGiven(path);
    EXPECT_EQ(opened, c.opens);
    EXPECT_EQ(prompts.texts(), QStringList{RECOVER_QUESTION});
    if (opened) {
        EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT Description FROM Project").toString() ==
                      "recovered",
                  c.answer == IDYES);
    }
    // Recovery replaces the files of the kind opened, and only the step files it has copies of.
    EXPECT_FALSE(QFileInfo::exists(folder + name + (c.blankTemplate ? ".prj" : ".qvt")));
    if (c.stepCopyMissing) {
        EXPECT_FALSE(QFileInfo::exists(folder + "STEP_1004.STP1"));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RecoveryAnswerTest,
                         ::testing::Values(RecoveryAnswerCase{false, true, false, IDNO, false},
                                           RecoveryAnswerCase{false, true, false, IDYES, true},
                                           RecoveryAnswerCase{false, false, false, IDNO, true},
                                           RecoveryAnswerCase{false, false, false, IDCANCEL, false},
                                           RecoveryAnswerCase{false, false, true, IDYES, true},
                                           RecoveryAnswerCase{true, false, false, IDNO, true},
                                           RecoveryAnswerCase{true, false, false, IDYES, true}));
