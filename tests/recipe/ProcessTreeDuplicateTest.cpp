// The process and step dialogs refuse a name and version that another process, or another step of
// the same process, already holds, in any letter case; the dialog is then asked again.

#include "ProcessTreeCreateFixture.h"

#include "modules/addnew/AddNewProcessDialog.h"
#include "modules/addnew/AddNewStepDialog.h"

#include <QLineEdit>
#include <QSqlQuery>
#include <QTreeWidget>

namespace {
const char* const PROCESS_TAKEN = "The process name and version already exist in the database. "
                                  "Please enter a different process name or version!";
const char* const STEP_TAKEN = "The step name and version already exist in this process. "
                               "Please enter a different step name or version!";

enum class Command { NewProcess, NewStep, Information };

// Demo: process 0 "Amidol (Free Base)": Coupling, Crystallization, Drying; process 1 "Amidol
// (Hydrochloride)": Coupling (the same step), Salt Formation, Milling, Reactor Cleaning.
struct DuplicateCase {
    const char* name;
    std::vector<int> selected;
    Command command;
    const char* answerName;
    const char* answerVersion;
    const char* refusal; // nullptr: accepted
};

const DuplicateCase DUPLICATES[] = {
    {"NewProcessOfAnotherCase", {}, Command::NewProcess, "AMIDOL", "free base", PROCESS_TAKEN},
    {"NewProcessOfAnotherVersion", {}, Command::NewProcess, "Amidol", "Sulfate", nullptr},
    {"ProcessRenamedToAnother", {1}, Command::Information, "amidol", "Free Base", PROCESS_TAKEN},
    {"NewStepOfItsProcess", {0}, Command::NewStep, "DRYING", "1.0", STEP_TAKEN},
    {"NewStepOfAnotherProcess", {0}, Command::NewStep, "Milling", "1.0", nullptr},
    {"StepRenamedToAnotherOfItsProcess", {0, 2}, Command::Information, "crystallization", "1.0", STEP_TAKEN},
    {"SharedStepRenamedToOneOfItsOtherProcess", {0, 0}, Command::Information, "Milling", "1.0", STEP_TAKEN},
};

class DuplicateNamesTest : public ProcessTreeCreateFixture,
                           public ::testing::WithParamInterface<DuplicateCase> {
protected:
    void Run(Command command)
    {
        if (command == Command::NewProcess)
            tree.OnNewProcess();
        else if (command == Command::NewStep)
            tree.OnNewStep();
        else
            tree.OnInformation();
    }
    // The names of every process and step as the project holds them.
    QString Names()
    {
        QStringList names;
        for (const char* sql :
             {"SELECT ProcessName || '/' || ProcessVersionName FROM Process ORDER BY ProcessID",
              "SELECT StepName || '/' || StepVersionName FROM ProjectStep ORDER BY StepID"}) {
            QSqlQuery rows = app.fileSet().projectDatabase->Query(QString::fromLatin1(sql));
            while (rows.next())
                names << rows.value(0).toString();
        }
        return names.join(", ");
    }
};

void PrintTo(const DuplicateCase& c, std::ostream* out)
{
    *out << c.name;
}
} // namespace

TEST_P(DuplicateNamesTest, RefusedWithAMessageAndAskedAgain)
{
    const DuplicateCase& c = GetParam();
    OpenProject();
    if (!c.selected.empty()) {
        QTreeWidgetItem* node = tree.tree()->topLevelItem(c.selected.front());
        for (size_t i = 1; i < c.selected.size(); ++i)
            node = node->child(c.selected[i]);
        tree.SelectTreeItem(node);
    }
    const QString before = Names();
    const bool processForm =
        c.command == Command::NewProcess || (c.command == Command::Information && c.selected.size() == 1);
    if (processForm) {
        AnswerProcess(c.answerName, c.answerVersion);
        dialogs.processAnswers << [](ProcessForm&) { return false; };
    } else {
        AnswerNewStep(c.answerName, c.answerVersion);
        AnswerCancel();
    }
    if (c.refusal)
        prompts.expect(IDOK);
    Run(c.command);
    if (c.refusal) {
        EXPECT_EQ(prompts.lastText(), c.refusal);
        EXPECT_EQ(Names(), before) << "nothing written";
    } else {
        EXPECT_TRUE(Names().contains(QString("%1/%2").arg(c.answerName, c.answerVersion)))
            << Names().toStdString();
        EXPECT_EQ(dialogs.processAnswers.size() + dialogs.stepAnswers.size(), 1) << "asked once";
    }
}

INSTANTIATE_TEST_SUITE_P(Demo, DuplicateNamesTest, ::testing::ValuesIn(DUPLICATES),
                         [](const auto& info) { return std::string(info.param.name); });

// A link keeps the linked step's names, even where a step of the process holds them already.
TEST_F(ProcessTreeCreateFixture, ALinkIsNotCheckedForNames)
{
    OpenProject();
    Select({0});
    AnswerNewStep("milling", "1.0");
    tree.OnNewStep();
    Select({0});
    AnswerLink(1005);
    tree.OnNewStep();
    EXPECT_EQ(ProjectLong(
                  "SELECT COUNT(*) FROM \"Step-To-Process\" WHERE ProcessID = 1 AND StepID IN (1005, 1007)"),
              2);
    EXPECT_TRUE(dialogs.stepAnswers.isEmpty());
}

// The dialogs themselves stay open on a duplicate, knowing which process or step they edit.
TEST_F(ProcessTreeCreateFixture, TheDialogsStayOpenOnADuplicate)
{
    OpenProject();
    ProcessForm process;
    std::tie(process.editing, process.processID, process.name, process.version) =
        std::tuple(true, 2L, QString("Amidol"), QString("Hydrochloride"));
    CAddNewProcessDialog processDialog(process);
    processDialog.findChild<QLineEdit*>("ProcessVersion")->setText("FREE BASE");
    prompts.expect(IDOK);
    processDialog.accept();
    EXPECT_EQ(prompts.lastText(), PROCESS_TAKEN);
    EXPECT_NE(processDialog.result(), QDialog::Accepted);

    StepForm step;
    std::tie(step.processID, step.name, step.version) = std::tuple(1L, QString("Drying"), QString("1.0"));
    CAddNewStepDialog stepDialog(step);
    prompts.expect(IDOK);
    stepDialog.accept();
    EXPECT_EQ(prompts.lastText(), STEP_TAKEN);
    EXPECT_NE(stepDialog.result(), QDialog::Accepted);
}
