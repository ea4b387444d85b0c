#include "RecordsetFixture.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/SharedConnection.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "foundation/db/project/LanguagePreferencesSet.h"
#include "foundation/db/project/MessageOptionsSet.h"
#include "foundation/db/project/OperationLibrarySet.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessStepSet.h"
#include "foundation/db/project/ProjectSet.h"
#include "foundation/db/project/ProjectStepSet.h"
#include "foundation/db/project/QryStepByStepAndProcessIDSet.h"
#include "foundation/db/project/QueryOperationDefaultSet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "foundation/db/project/TextRecipeOptionsSet.h"

class ProjectRecordsetsTest : public RecordsetFixture {
protected:
    const QString m_project = pathOf("Demo.prj");
};

TEST_F(ProjectRecordsetsTest, AStepRowOfAProcessWritesOnlyItsLinkNeverTheProcessName)
{
    const QString orders =
        "SELECT group_concat(StepOrder) FROM (SELECT * FROM \"Step-To-Process\" ORDER BY RowKey)";
    const QString names = "SELECT group_concat(ProcessName || ' ' || ProcessVersionName, '/') FROM Process";
    CQryStepByStepAndProcessIDSet set;
    ASSERT_TRUE(set.OpenSet(SALT_FORMATION, HYDROCHLORIDE));
    ASSERT_EQ(set.GetRecordCount(), 1);
    EXPECT_EQ(set.GetText("StepName"), "Salt Formation");
    set.Edit();
    set.SetText("ProcessName", "Amidol HCl");
    set.SetLong("StepOrder", 7);
    set.Update();
    EXPECT_EQ(scalar(m_project, orders), "1,2,3,1,7,3,4");
    EXPECT_EQ(scalar(m_project, names), "Amidol Free Base/Amidol Hydrochloride");
}

TEST_F(ProjectRecordsetsTest, AJoinRowWritesEachFieldToItsTableOrNothingOnFailure)
{
    const QString orders =
        "SELECT group_concat(StepOrder) FROM (SELECT * FROM \"Step-To-Process\" ORDER BY RowKey)";
    CStepToProcessSet set;
    ASSERT_TRUE(set.OpenSet(HYDROCHLORIDE));
    ASSERT_TRUE(set.FindFirst([](const CDaoRecordset& row) { return row.GetLong("StepID") == SALT_FORMATION; }));
    set.Edit();
    set.SetText("StepVersionName", "2.0");
    set.SetLong("StepOrder", 7);
    set.Update();
    EXPECT_EQ(scalar(m_project, orders), "1,2,3,1,7,3,4");
    EXPECT_EQ(scalar(m_project, "SELECT StepVersionName FROM ProjectStep WHERE StepID = 1004"), "2.0");

    m_projectDb.Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON ProjectStep BEGIN SELECT RAISE(ABORT, 'no'); END");
    set.Edit();
    set.SetLong("StepOrder", 9);
    set.SetText("StepVersionName", "3.0");
    EXPECT_THROW(set.Update(), CDaoException);
    EXPECT_EQ(scalar(m_project, orders), "1,2,3,1,7,3,4");
    EXPECT_FALSE(m_projectDb.InTransaction());
}

TEST_F(ProjectRecordsetsTest, StepToProcessListsInStepOrderWritesTheStepVersionAndDeletesOnlyTheLink)
{
    CStepToProcessSet set;
    ASSERT_TRUE(set.OpenSet(-1));
    EXPECT_EQ(column(set, "StepID"), QList<long>({1001, 1002, 1003, 1001, 1004, 1005, 1006}));
    EXPECT_EQ(column(set, "ProcessID"), QList<long>({1, 1, 1, 2, 2, 2, 2}));
    ASSERT_TRUE(set.OpenSet(HYDROCHLORIDE));
    EXPECT_EQ(column(set, "StepID"), QList<long>({1001, 1004, 1005, 1006}));
    ASSERT_TRUE(set.FindFirst([](const CDaoRecordset& row) { return row.GetLong("StepID") == 1005; }));
    set.Edit();
    set.SetText("StepVersionName", "2.0");
    set.Update();
    EXPECT_EQ(scalar(m_project, "SELECT StepVersionName FROM ProjectStep WHERE StepID = 1005"), "2.0");
    set.Delete();
    EXPECT_EQ(count(m_project, "SELECT count(*) FROM \"Step-To-Process\" WHERE StepID = 1005"), 0);
    EXPECT_EQ(count(m_project, "SELECT count(*) FROM ProjectStep WHERE StepID = 1005"), 1);
}

TEST_F(ProjectRecordsetsTest, ProcessStepsComeInStepOrderAndAnotherProjectIsOnlyRead)
{
    m_projectDb.Execute("UPDATE \"Step-To-Process\" SET StepOrder = 0 WHERE ProcessID = 2 AND StepID = 1006");
    CProcessStepSet set;
    ASSERT_TRUE(set.OpenSet(HYDROCHLORIDE));
    EXPECT_EQ(set.GetRecordCount(), 4);
    EXPECT_EQ(column(set, "StepID"), QList<long>({1006, 1001, 1004, 1005}));
    ASSERT_TRUE(set.OpenSet(FREE_BASE));
    EXPECT_EQ(set.GetRecordCount(), 3);
    set.Edit();
    set.SetLong("StepOrder", 5);
    set.Update();
    EXPECT_EQ(
        count(m_project, "SELECT StepOrder FROM \"Step-To-Process\" WHERE ProcessID = 1 AND StepID = 1001"),
        5);

    const QString other = writeOtherDemo("other");
    ASSERT_TRUE(set.OpenSet(HYDROCHLORIDE, other));
    EXPECT_EQ(column(set, "StepID"), QList<long>({1001, 1004, 1005, 1006}));
    EXPECT_FALSE(set.CanUpdate());
    set.CloseSet();
    EXPECT_FALSE(CSharedConnection::isOpen(other));
}

TEST_F(ProjectRecordsetsTest, TheLanguageModeChoosesTheTableAndAnEmptyPathIsRefused)
{
    CLanguagePreferencesSet set;
    ASSERT_TRUE(set.OpenSet(m_project, QString()));
    EXPECT_EQ(set.GetText("RecipeLanguagePath"), "QVEnglish.lng");
    ASSERT_TRUE(set.OpenSet(m_project, "Temp"));
    EXPECT_EQ(set.GetText("RecipeLanguagePath"), "QVGerman.lng");
    set.Edit();
    set.SetText("RecipeLanguagePath", "QVFrench.lng");
    set.Update();
    ASSERT_TRUE(set.OpenSet(m_project, "anything else"));
    EXPECT_EQ(set.GetText("RecipeLanguagePath"), "QVEnglish.lng");
    EXPECT_EQ(scalar(m_project, "SELECT RecipeLanguagePath FROM \"TempPREFER-Language\""), "QVFrench.lng");

    ScriptedPromptService prompts;
    prompts.expect(IDOK);
    EXPECT_FALSE(set.OpenSet(QString(), "Temp"));
    EXPECT_EQ(prompts.texts(), QStringList({"Project path is not specified!"}));
}

TEST_F(ProjectRecordsetsTest, AClosedProjectDatabaseGivesFalseWithTheSetsOwnMessage)
{
    std::unique_ptr<CDaoDatabase> open =
        std::exchange(m_app.fileSet().projectDatabase, std::make_unique<CDaoDatabase>()); // closed
    const struct {
        std::function<bool()> open;
        QString message; // "" = false without a message
    } cases[] = {{[] { return COperationLibrarySet().OpenSet(); }, "Database file is not opened yet!"},
                 {[] { return CTextRecipeOptionsSet().OpenSet(); }, "Database file is not opend yet!"},
                 {[] { return CMessageOptionsSet().OpenSet(); }, "Database file is not opened yet!"},
                 {[] { return CQueryOperationDefaultSet().OpenSet(); }, "Database file is not opend yet!"},
                 {[] { return CProcessSet().OpenSet(); }, ""},
                 {[] { return CProjectStepSet().OpenSet(); }, ""},
                 {[] { return CProjectSet().OpenSet(); }, ""},
                 {[] { return CStepToProcessSet().OpenSet(-1); }, ""}};
    for (const auto& c : cases) {
        ScriptedPromptService prompts;
        if (!c.message.isEmpty())
            prompts.expect(IDOK);
        EXPECT_FALSE(c.open()) << "case " << &c - cases;
        EXPECT_EQ(prompts.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    m_app.fileSet().projectDatabase = std::move(open);
}

TEST_F(ProjectRecordsetsTest, TheSharedMaterialAndEquipmentDatabasesOpenOnFirstUseUntilClosed)
{
    const struct {
        CDaoDatabase* (*get)();
        void (*close)();
        QString path;
    } shared[] = {{GetSharedMaterialsDB, CloseSharedMaterialsDB, m_app.fileSet().materialsDBPath},
                  {GetSharedEquipmentDB, CloseSharedEquipmentDB, m_app.fileSet().equipmentDBPath}};
    for (const auto& kind : shared) {
        EXPECT_FALSE(CSharedConnection::isOpen(kind.path));
        CDaoDatabase* database = kind.get();
        ASSERT_NE(database, nullptr);
        EXPECT_TRUE(database->IsOpen());
        EXPECT_EQ(kind.get(), database);
        kind.close();
        EXPECT_FALSE(CSharedConnection::isOpen(kind.path));
        kind.close(); // nothing cached: nothing to do
    }
}
