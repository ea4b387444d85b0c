#include "ProjectFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QFile>

class OpenBaselineTest : public ProjectFixture {
protected:
    // Each working copy of the open Demo with the project-folder file it was copied from.
    QList<std::pair<QString, QString>> copies() const
    {
        QList<std::pair<QString, QString>> pairs{
            {"Demo.wc", "Demo.prj"}, {"Demo.ewc", "Demo.eqm"}, {"Demo.mwc", "Demo.mtl"}};
        for (long id = 1001; id <= 1006; ++id)
            pairs.append({QString("STEP_%1.WC").arg(id), QString("STEP_%1.STP").arg(id)});
        return pairs;
    }
    // The working copies whose project-folder file no longer holds their data.
    QStringList changed() const
    {
        QStringList names;
        for (const auto& [copy, target] : copies()) {
            if (!TargetIsCurrent(instanceDir() + copy, projectDir() + target))
                names << copy;
        }
        return names;
    }
};

// The open records each copy's baseline; what the step module's conversion writes, and any later
// edit, counts as a change of that copy alone. The switch to write-ahead logging and the open's
// reads do not.
TEST_F(OpenBaselineTest, TheOpenRecordsABaselineForEveryCopyAndLaterWritesCount)
{
    manager.SetStepConverter([](const QString& path) {
        if (!path.endsWith("STEP_1003.WC"))
            return CONV_CURRENT;
        CDaoDatabase step;
        step.Open(path, DatabaseRole::WorkingCopy);
        step.Execute("PRAGMA user_version = 99");
        return CONV_CURRENT;
    });
    ASSERT_TRUE(OpenGiven(WriteDemo()));
    for (const auto& [copy, target] : copies())
        EXPECT_TRUE(BaselineOf(instanceDir() + copy)) << copy.toStdString();
    EXPECT_EQ(changed(), QStringList{"STEP_1003.WC"});

    EditStep(1001, "UPDATE TextRecipe SET Label = 'Edited' WHERE rowid = 1");
    EXPECT_EQ(changed(), (QStringList{"STEP_1001.WC", "STEP_1003.WC"}));
    EditProject("CREATE INDEX qvTestIndex ON ProjectStep (StepName)");
    EXPECT_EQ(changed(), (QStringList{"Demo.wc", "STEP_1001.WC", "STEP_1003.WC"}));
}

// A file with a journal beside it is copied by compaction: its copy has no baseline and always
// counts as changed. A step left out at open keeps no baseline.
TEST_F(OpenBaselineTest, ACopyMadeByCompactionOrAStepLeftOutHasNoBaseline)
{
    manager.SetStepConverter(
        [](const QString& path) { return path.endsWith("STEP_1005.WC") ? CONV_FAILED : CONV_CURRENT; });
    const QString project = WriteDemo();
    WriteTextFile(projectDir() + "STEP_1002.STP-journal", QByteArray());
    WriteTextFile(projectDir() + "Demo.mtl-journal", QByteArray());
    prompts.expect(IDOK);
    ASSERT_TRUE(OpenGiven(project));
    EXPECT_EQ(prompts.texts(), QStringList{"Can't convert the step database!"});
    EXPECT_FALSE(BaselineOf(instanceDir() + "STEP_1002.WC"));
    EXPECT_FALSE(BaselineOf(instanceDir() + "STEP_1005.WC"));
    EXPECT_FALSE(BaselineOf(instanceDir() + "Demo.mwc"));
    QFile::remove(projectDir() + "STEP_1002.STP-journal");
    QFile::remove(projectDir() + "Demo.mtl-journal");
    EXPECT_EQ(changed(), (QStringList{"Demo.mwc", "STEP_1002.WC", "STEP_1005.WC"}));
}
