// New and copied plans: the name checks, copy names, the copied requirement rows, ids above every
// id the project ever had and above its result files, one transaction, and the pane afterwards.

#include "PlanExplorerFixture.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "planning/NewPlanDialog.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanCopyNamer.h"
#include "planning/PlanRows.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSqlQuery>

#include <QTimer>

namespace {

struct NameCase {
    const char* name;
    const char* typed;
    const char* message; // nullptr: accepted
    const char* left;    // the edit's text afterwards
};

const NameCase NAME_CASES[] = {
    {"Empty", "", "Please enter Production Plan Name!", ""},
    {"OnlyBlanks", "   ", nullptr, nullptr},
    {"Forbidden", "Week/ly", nullptr, "Weekly"},
    {"TakenInAnotherCase", "WEEKLY", "The plan name already exists in the database. Please enter a different plan name!",
     "WEEKLY"},
};

int SelectCombo(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    return index;
}

} // namespace

class NewPlanTest : public PlanExplorerFixture {
protected:
    // The requirement rows of the plan as "kind id qty uom first intra start interval intervalUOM".
    QStringList Requirements(long planID) const
    {
        QStringList rows;
        QSqlQuery query = app.fileSet().projectDatabase->Query(
            "SELECT StepOrProcess, StepOrProcessID, Quantity, QuantityUOM, FirstBatchOverlap, "
            "IntraCampaignBatchOverlap, quote(EarliestStartTime), quote(BatchTimeInterval), "
            "quote(BatchTimeIntervalUOM) FROM PlanRequirements WHERE PlanID = ? ORDER BY RequirementID",
            {qlonglong(planID)});
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < 9; ++i)
                values << query.value(i).toString();
            rows << values.join(' ');
        }
        return rows;
    }
    std::unique_ptr<CNewPlanDialog> Dialog()
    {
        auto dialog = std::make_unique<CNewPlanDialog>();
        EXPECT_TRUE(dialog->OnInitDialog());
        return dialog;
    }
};

class NewPlanNameTest : public NewPlanTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NewPlanNameTest, RefusesTheNameAndStaysOpen)
{
    const NameCase& c = GetParam();
    auto dialog = Dialog();
    dialog->nameEdit()->setText(QString::fromUtf8(c.typed));
    prompts.expect(IDOK);
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    if (c.message) {
        EXPECT_EQ(prompts.lastText(), QString::fromUtf8(c.message));
    }
    if (c.left) {
        EXPECT_EQ(dialog->nameEdit()->text(), QString::fromUtf8(c.left));
    }
    EXPECT_EQ(PlanCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Names, NewPlanNameTest, ::testing::ValuesIn(NAME_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(NewPlanTest, ATypedNameMakesThePlanAndItsLinkAboveEveryUsedId)
{
    QFile result(folder + "QVPLAN_7.mdb");
    ASSERT_TRUE(result.open(QIODevice::WriteOnly));
    result.close();
    auto dialog = Dialog();
    EXPECT_EQ(dialog->nameEdit()->maxLength(), 50);
    EXPECT_TRUE(dialog->copyRadio()->isEnabled());
    EXPECT_FALSE(dialog->planCombo()->isEnabled());
    dialog->nameEdit()->setText("Monthly");
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->planID(), 8);
    EXPECT_EQ(ProjectValue("SELECT PlanName FROM \"ProductionPlan-To-Project\" WHERE PlanID = 8").toString(), "Monthly");
    EXPECT_EQ(ProjectValue("SELECT PlanName || ' ' || (abs(StartDateTime * 86400 - round(StartDateTime * 86400)) < 1e-3) "
                           "FROM ProductionPlan WHERE PlanID = 8").toString(),
              "Monthly 1");
    EXPECT_TRUE(Requirements(8).isEmpty());

    // A deleted plan's id is not given again.
    DeletePlanRows(8);
    QFile::remove(folder + "QVPLAN_7.mdb");
    EXPECT_EQ(AllocatePlanID(*app.fileSet().projectDatabase, folder), 9);
}

// A file named with an id at the top of the 64-bit range (or past it) gives no id beyond the 32-bit
// range, and no overflow: the id is drawn among those no plan or file has.
TEST_F(NewPlanTest, AFileNamedWithAnIdNearTwoToTheSixtyThirdGivesAFreeIdInRange)
{
    for (const char* name :
         {"QVPLAN_9223372036854775807", "QVPLAN_9223372036854775808.FAC", "QVPLAN_2147483647.mdb"}) {
        QFile result(folder + name);
        ASSERT_TRUE(result.open(QIODevice::WriteOnly));
    }
    auto dialog = Dialog();
    dialog->nameEdit()->setText("Monthly");
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    const long id = dialog->planID();
    EXPECT_GT(id, 1);
    EXPECT_LT(id, 2147483647L);
    EXPECT_EQ(
        ProjectValue(QString("SELECT PlanName FROM ProductionPlan WHERE PlanID = %1").arg(id)).toString(),
        "Monthly");
}

// Copy names count per source name and skip names taken; the requirement rows are copied with
// their overlaps, a start kept and an interval of 1e35 dropped.
TEST_F(NewPlanTest, CopiesTheRequirementsUnderTheNextFreeCopyName)
{
    ExecuteProject("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM, "
                   "EarliestStartTime, BatchTimeInterval, BatchTimeIntervalUOM, FirstBatchOverlap, "
                   "IntraCampaignBatchOverlap) VALUES (1, 2001, 'step', 3, 'batches', 46001.5, 1e35, NULL, 1, 0), "
                   "(1, 2002, 'step', 4, 'batches', NULL, 2.5, 'hr', 0, 1)");
    ExecuteProject("INSERT INTO ProductionPlan (PlanID, PlanName) VALUES (4, 'Weekly copy (1)'), (5, 'weekly COPY (2)')");
    ExecuteProject("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                   "VALUES (4, 1, 'Weekly copy (1)'), (5, 1, 'weekly COPY (2)')");
    auto dialog = Dialog();
    dialog->copyRadio()->click();
    EXPECT_FALSE(dialog->nameEdit()->isEnabled());
    ASSERT_GE(SelectCombo(dialog->planCombo(), "Weekly"), 0);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->planName(), "Weekly copy (3)");
    EXPECT_EQ(Requirements(dialog->planID()), QStringList({"process 1 100 kg 0 0 NULL NULL ''",
                                                           "step 2001 3 batches 1 0 46001.5 NULL ''",
                                                           "step 2002 4 batches 0 1 NULL 2.5 'hr'"}));
    // Another source restarts the count; back to the first, names in use are skipped again.
    EXPECT_EQ(PlanCopyNamer::Shared().NextName("Spare", {}), "Spare copy (1)");
    EXPECT_EQ(PlanCopyNamer::Shared().NextName("WEEKLY", [](const QString& name) {
        return name.compare("WEEKLY copy (1)", Qt::CaseInsensitive) == 0;
    }),
              "WEEKLY copy (2)");
}

// A failing k-th copied row: no row of the new plan stays, the database's message, the dialog
// stays open.
TEST_F(NewPlanTest, AFailingCopiedRowLeavesNoNewRows)
{
    ExecuteProject("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity) "
                   "VALUES (1, 2001, 'step', 5), (1, 2002, 'step', 7)");
    ExecuteProject("CREATE TRIGGER Injected BEFORE INSERT ON PlanRequirements WHEN NEW.Quantity = 7 "
                   "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const QString tables = "SELECT (SELECT count(*) FROM ProductionPlan) || ' ' || (SELECT count(*) FROM "
                           "\"ProductionPlan-To-Project\") || ' ' || (SELECT count(*) FROM PlanRequirements)";
    const QString before = ProjectValue(tables).toString();
    auto dialog = Dialog();
    dialog->copyRadio()->click();
    SelectCombo(dialog->planCombo(), "Weekly");
    prompts.expect(IDOK);
    dialog->accept();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.lastText().contains("injected failure"));
    EXPECT_EQ(ProjectValue(tables).toString(), before);
}

TEST_F(NewPlanTest, CopyNeedsAPlanAndAProjectWithPlans)
{
    auto dialog = Dialog();
    dialog->copyRadio()->click();
    prompts.expect(IDOK);
    dialog->accept();
    EXPECT_EQ(prompts.lastText(), "Please select an existing Production Plan!");
    ExecuteProject("DELETE FROM \"ProductionPlan-To-Project\"");
    EXPECT_FALSE(Dialog()->copyRadio()->isEnabled());
}

// Through the pane: the new plan at the end of the list, selected, not simulatable, the project
// modified; F1 in the dialog asks for its help topic.
TEST_F(NewPlanTest, ThePaneAppendsTheNewPlan)
{
    AddOperationLine(2002);
    ASSERT_TRUE(pane->RefillPlanList());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CNewPlanDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QKeyEvent help(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(dialog, &help);
        dialog->copyRadio()->click();
        SelectCombo(dialog->planCombo(), "Batches");
        dialog->accept();
    });
    pane->OnCommand(ID_PLAN_NEW);
    EXPECT_EQ(fakes.helpTopics, QList<long>{HELP_NEW_PLAN_DIALOG});
    EXPECT_EQ(ListTexts().last(), "Batches copy (1)");
    EXPECT_EQ(SelectedText(), "Batches copy (1)");
    long id = -1;
    QString name;
    ASSERT_TRUE(pane->GetSelectedPlan(id, name));
    EXPECT_FALSE(pane->IsPlanSimulatable(id)); // until the next fill, though its source is
    EXPECT_TRUE(pane->IsPlanSimulatable(PLAN_BATCHES));
    EXPECT_EQ(app.modifiedHistory(), QList<bool>{true});
}
