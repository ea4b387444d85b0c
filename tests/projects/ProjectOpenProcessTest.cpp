#include "OpenFixture.h"

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

struct RecoveryAnswerCase {
    bool materialsMissing;
    int answer;
    bool opens;
};

class RecoveryAnswerTest : public OpenFixture, public ::testing::WithParamInterface<RecoveryAnswerCase> {};

TEST_P(RecoveryAnswerTest, NoOpensTheFilesAsTheyAreOnlyWhenTheyAreComplete)
{
    const QString path = WriteDemo("projects/Demo");
    const QString folder = root() + "projects/Demo/";
    const QString earlier = root() + "earlier-instance/";
    LeaveEarlierInstance(folder, earlier);
    if (GetParam().materialsMissing) {
        ASSERT_TRUE(QFile::remove(folder + "Demo.mtl"));
    }
    prompts.expect(GetParam().answer);
    EXPECT_EQ(OpenGiven(path), GetParam().opens);
    EXPECT_EQ(prompts.texts(), QStringList{RECOVER_QUESTION});
}

INSTANTIATE_TEST_SUITE_P(Answers, RecoveryAnswerTest,
                         ::testing::Values(RecoveryAnswerCase{true, IDNO, false},
                                           RecoveryAnswerCase{true, IDYES, true},
                                           RecoveryAnswerCase{false, IDNO, true},
                                           RecoveryAnswerCase{false, IDCANCEL, false}));
