// The plans' sequence files live beside the working copies: copied there at open, gone at close,
// written to the project folder by a save (through its journal) and brought back by a recovery.

#include "ProjectFixture.h"

#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "planning/PlanSequenceFile.h"

#include <QDir>
#include <QFile>

namespace {
const QString WEEK = QStringLiteral("Week_1_User_Sim_Def_4.txt");
const QString SPARE = QStringLiteral("Spare_User_Sim_Def_5.txt");
const QString OLD_NAME = QStringLiteral("Old_User_Sim_Def_6.txt");
const QString NEW_NAME = QStringLiteral("New_User_Sim_Def_6.txt");
const QString DROPPED = QStringLiteral("Dropped_User_Sim_Def_7.txt");
const QString STRAY = QStringLiteral("Stray_User_Sim_Def_9.txt"); // no plan of this project has it

const QList<SimSequenceLine> EDITED = {
    {1, 1, 1001, 1001, 2, 2, 3, QStringLiteral("Coupling (1.0) Batch 1"), QStringLiteral("1 Charge")}};

QMap<QString, QByteArray> SequenceFiles(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList({"*_User_Sim_Def_*"}, QDir::Files))
        files.insert(name, FileBytes(folder + name));
    return files;
}
} // namespace

class PlanSequenceFilesTest : public ProjectFixture {
protected:
    // Demo with plans 4 "Week:1", 5 "Spare", 6 "Old", 7 "Dropped" and 8 "Plain" (no file), each
    // file holding its own name.
    QString WriteSequencedDemo()
    {
        ProjectSpec spec = CProjectGenerator::DemoProject();
        spec.plans = {{4, "Week:1"}, {5, "Spare"}, {6, "Old"}, {7, "Dropped"}, {8, "Plain"}};
        const QString path = WriteProject(spec);
        for (const QString& name : {WEEK, SPARE, OLD_NAME, DROPPED, STRAY})
            WriteTextFile(projectDir() + name, name.toUtf8());
        return path;
    }
    // What a session does to the plans: the sequence of 4 redefined, 6 renamed, 7 deleted.
    void EditThePlans()
    {
        ASSERT_TRUE(WriteSimSequenceFile(instanceDir() + WEEK, EDITED));
        EditProject("UPDATE ProductionPlan SET PlanName = 'New' WHERE PlanID = 6");
        ASSERT_TRUE(CopyPlanSequenceFileToNewName(6, "Old", "New"));
        EditProject("DELETE FROM ProductionPlan WHERE PlanID = 7");
        DeletePlanSequenceFiles(7);
    }
};

TEST_F(PlanSequenceFilesTest, TheOpenCopiesThePlansFilesAndACloseWithoutSavingLeavesTheProjectFolder)
{
    ASSERT_TRUE(OpenGiven(WriteSequencedDemo()));
    const QMap<QString, QByteArray> saved = SequenceFiles(projectDir());
    EXPECT_EQ(SequenceFiles(instanceDir()).keys(), QStringList({DROPPED, OLD_NAME, SPARE, WEEK}));
    EXPECT_EQ(FileBytes(instanceDir() + WEEK), WEEK.toUtf8());
    EditThePlans();
    EXPECT_EQ(SequenceFiles(instanceDir()).keys(), QStringList({NEW_NAME, OLD_NAME, SPARE, WEEK}));
    EXPECT_EQ(SequenceFiles(projectDir()), saved);
    ASSERT_TRUE(manager.CloseProject(SaveAnswer::Discard));
    EXPECT_EQ(SequenceFiles(projectDir()), saved);
    EXPECT_TRUE(SequenceFiles(instanceDir()).isEmpty());
}

// Only the changed files are written; the files this project had that no plan has any more go,
// a file of the folder that was never this project's stays; a second save writes none.
TEST_F(PlanSequenceFilesTest, ASaveWritesTheChangedFilesAndRemovesTheOnesNoPlanHasAnyMore)
{
    ASSERT_TRUE(OpenGiven(WriteSequencedDemo()));
    const FileIdentity spare = *ReadFileIdentity(projectDir() + SPARE);
    EditThePlans();
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(SequenceFiles(projectDir()).keys(), QStringList({NEW_NAME, SPARE, STRAY, WEEK}));
    EXPECT_EQ(FileBytes(projectDir() + WEEK), FormatSimSequence(EDITED));
    EXPECT_EQ(FileBytes(projectDir() + NEW_NAME), OLD_NAME.toUtf8());
    EXPECT_EQ(*ReadFileIdentity(projectDir() + SPARE), spare);
    EXPECT_EQ(QDir(projectDir()).entryList({"*.bu", "*.tmp", "*.save"}, QDir::Files), QStringList());
    const FileIdentity week = *ReadFileIdentity(projectDir() + WEEK);
    app.setProjectModified(true);
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(*ReadFileIdentity(projectDir() + WEEK), week);
}

// A sequence file whose temporary cannot be written fails the whole save before anything is
// renamed; one whose rename fails after the journal leaves the journal, and the next save
// finishes it.
TEST_F(PlanSequenceFilesTest, ASequenceFileIsSavedAsOneUnitWithTheDatabases)
{
    ASSERT_TRUE(OpenGiven(WriteSequencedDemo()));
    EditThePlans();
    const QMap<QString, QByteArray> before = Snapshot(projectDir());
    WriteTextFile(projectDir() + WEEK + ".tmp/in the way", "x");
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_EQ(prompts.lastText(), "File " + projectDir() + WEEK + " could not be opened!");
    EXPECT_EQ(Snapshot(projectDir()), before);
    EXPECT_TRUE(app.isProjectModified());
    ASSERT_TRUE(QDir(projectDir() + WEEK + ".tmp").removeRecursively());

    WriteTextFile(projectDir() + NEW_NAME + "/in the way", "x");
    prompts.expect(IDOK);
    EXPECT_FALSE(manager.SaveProject(QString(), false));
    EXPECT_TRUE(FileBytes(projectPath(".prj.save")).contains(NEW_NAME.toUtf8()));
    ASSERT_TRUE(QDir(projectDir() + NEW_NAME).removeRecursively());
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(FileBytes(projectDir() + NEW_NAME), OLD_NAME.toUtf8());
    EXPECT_EQ(FileBytes(projectDir() + WEEK), FormatSimSequence(EDITED));
    EXPECT_FALSE(QFile::exists(projectPath(".prj.save")));
}

// Recovery puts the earlier instance's sequence files in place with its databases (the file it
// replaces kept as name + "1"); the open then works on copies of them.
TEST_F(PlanSequenceFilesTest, RecoveryBringsBackTheEarlierInstancesSequenceFiles)
{
    const QString path = WriteSequencedDemo();
    const QString earlier = root() + "earlier-instance/";
    LeaveEarlierInstance(projectDir(), earlier);
    WriteTextFile(earlier + WEEK, "recovered");
    WriteTextFile(earlier + NEW_NAME, "recovered new");
    prompts.expect(IDYES);
    ASSERT_TRUE(OpenGiven(path));
    EXPECT_EQ(FileBytes(projectDir() + WEEK), "recovered");
    EXPECT_EQ(FileBytes(projectDir() + WEEK + "1"), WEEK.toUtf8());
    EXPECT_EQ(FileBytes(projectDir() + NEW_NAME), "recovered new");
    EXPECT_EQ(FileBytes(instanceDir() + WEEK), "recovered");
    EXPECT_TRUE(SequenceFiles(earlier).isEmpty());
}

// A plan's file that cannot be copied at open is reported and the open goes on; the project
// folder's file then stays whatever the session does, since no copy of it was ever worked on.
TEST_F(PlanSequenceFilesTest, AFileTheOpenCannotCopyIsReportedAndNeverRemovedBySaving)
{
    const QString path = WriteSequencedDemo();
    ASSERT_TRUE(QDir().mkpath(instanceDir() + SPARE + "/in the way"));
    prompts.expect(IDOK);
    ASSERT_TRUE(OpenGiven(path));
    EXPECT_EQ(prompts.texts(), QStringList{"File " + instanceDir() + SPARE + " could not be opened!"});
    EXPECT_EQ(FileBytes(instanceDir() + WEEK), WEEK.toUtf8());
    EditProject("UPDATE ProductionPlan SET PlanName = 'Renamed' WHERE PlanID = 5");
    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_EQ(FileBytes(projectDir() + SPARE), SPARE.toUtf8());
}
