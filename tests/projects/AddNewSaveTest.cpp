// Steps made, linked and renamed through the process and step dialogs are kept by Save and found
// again by the next open.

#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "modules/addnew/AddNewDialogService.h"
#include "modules/addnew/AddNewExport.h"
#include "projects/StepRegistration.h"

#include <QFileInfo>

namespace {
class AnsweringAddNewDialogs : public AddNewDialogService {
public:
    bool AskProcess(ProcessForm&) override { return false; }
    bool AskStep(StepForm& form) override
    {
        if (answers.isEmpty())
            return false;
        answers.takeFirst()(form);
        return true;
    }
    QList<std::function<void(StepForm&)>> answers;
};
} // namespace

class AddNewSaveTest : public ProjectFixture {
protected:
    AddNewSaveTest()
    {
        installed.Install<AddNewDialogService>(&dialogs);
        installed.Install<StepDatabaseRegistration>(&registration);
    }
    AnsweringAddNewDialogs dialogs;
    CStepRegistration registration{app.stepDatabases()};
    ServiceInstallations installed;
};

TEST_F(AddNewSaveTest, NewLinkedAndRenamedStepsSurviveSaveAndReopen)
{
    OpenDemo();
    CAddNewExport addNew;
    long newStepID = -1;
    QString name, version;
    dialogs.answers << [](StepForm& form) { std::tie(form.name, form.version) = std::pair("Filtration", "1.0"); };
    ASSERT_EQ(addNew.NewOrEditStep(1, "Amidol", "Free Base", -1, &newStepID, &name, &version, QString(),
                                   STEP_INSERT_AFTER, 1002),
              1);
    EXPECT_EQ(std::tuple(newStepID, name, version), std::tuple(1007L, QString("Filtration"), QString("1.0")));
    EXPECT_TRUE(IsProjectChangePending());
    CommitPendingProjectChange();
    dialogs.answers << [](StepForm& form) { form.linkStepID = 1005; };
    ASSERT_EQ(addNew.NewOrEditStep(1, "Amidol", "Free Base", -1, &newStepID, &name, &version, QString(),
                                   STEP_INSERT_FIRST, -1),
              1);
    EXPECT_EQ(std::tuple(newStepID, name, version), std::tuple(1005L, QString("Milling"), QString("1.0")));
    dialogs.answers << [](StepForm& form) { form.name = "Cooling Crystallization"; };
    ASSERT_EQ(addNew.NewOrEditStep(1, "Amidol", "Free Base", 1002, nullptr, &name, &version, QString(), 0, -1), 1);
    CommitPendingProjectChange();

    ASSERT_TRUE(manager.SaveProject(QString(), false));
    EXPECT_TRUE(QFileInfo::exists(projectDir() + "STEP_1007.STP"));
    ASSERT_TRUE(manager.CloseCurrentProject());
    ReopenProject();
    EXPECT_TRUE(app.stepDatabases().contains(1007));
    EXPECT_EQ(LayerValue(GetStepDBPath(1007), "SELECT StepName FROM Step WHERE StepID = 1007").toString(), "Filtration");
    EXPECT_EQ(LayerValue(GetStepDBPath(1002), "SELECT StepName FROM Step").toString(), "Cooling Crystallization");
    const QString project = app.fileSet().projectDBPath;
    EXPECT_EQ(LayerValue(project, "SELECT group_concat(StepID || ':' || StepOrder, ' ') FROM (SELECT * FROM "
                                  "\"Step-To-Process\" WHERE ProcessID = 1 ORDER BY StepOrder)")
                  .toString(),
              "1005:1 1001:2 1002:3 1007:4 1003:5");
    EXPECT_EQ(LayerValue(project, "SELECT StepName FROM ProjectStep WHERE StepID = 1002").toString(),
              "Cooling Crystallization");
    EXPECT_EQ(LayerValue(project, "SELECT StepCounter FROM Project").toLongLong(), 1007);
}

TEST_F(AddNewSaveTest, ALinkOnlyToAStepOfferedAndCancelWritesNothing)
{
    OpenDemo();
    CAddNewExport addNew;
    long newStepID = -1;
    dialogs.answers << [](StepForm& form) { form.linkStepID = 1002; }; // already in the process
    EXPECT_EQ(addNew.NewOrEditStep(1, "Amidol", "Free Base", -1, &newStepID, nullptr, nullptr, QString(), 2, -1), 0);
    EXPECT_EQ(addNew.NewOrEditStep(1, "Amidol", "Free Base", -1, &newStepID, nullptr, nullptr, QString(), 2, -1), 0)
        << "cancelled";
    EXPECT_FALSE(IsProjectChangePending());
    EXPECT_EQ(LayerValue(app.fileSet().projectDBPath, "SELECT COUNT(*) FROM \"Step-To-Process\"").toLongLong(), 7);
    EXPECT_EQ(newStepID, -1);
}
