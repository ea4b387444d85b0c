// The Information command of the Process Explorer on each kind of node.

#include "ProcessTreeCreateFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "modules/opdialog/OperationDialogService.h"
#include "modules/sharedclasses/QVGlobalParams.h"

#include <QSqlQuery>
#include <QTreeWidget>

namespace {
class RecordingEquipment : public OperationEditorService {
public:
    void SetLastPrimaryEquipmentID(long equipmentID) override { last = equipmentID; }
    long GetLastPrimaryEquipmentID() const override { return last; }
    long last = -7;
};

// The unit-procedure form renames to "Charge Reactor", keeping equipment and comments.
class RenamingUnitProcedureForm : public OperationDialogService {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString&) override { return std::nullopt; }
    std::optional<NewOperationInput> AskOperation(const QString&, const QString&) override { return std::nullopt; }
    std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput& current,
                                                               const QList<EquipmentChoice>&) override
    {
        UnitProcedureEditInput renamed = current;
        renamed.name = QStringLiteral("Charge Reactor");
        return renamed;
    }
};

// The operation editor stores a new recipe text in one transaction and answers it.
class RewritingOperationEditor : public OperationEditorService {
public:
    std::optional<QString> InvokeOperationEditor(long stepID, long operationID, QString*) override
    {
        CDaoDatabase* step = GetStepDatabase(stepID);
        CDaoTransaction transaction(*step);
        step->Execute("UPDATE Operation SET RecipeText = ?, RangeText = '' WHERE OperationID = ?",
                      {text, qlonglong(operationID)});
        transaction.Commit();
        return text;
    }
    QString text = QStringLiteral("Charge 900 kg of toluene.");
};

QString StepText(CDaoDatabase* step, const QString& sql)
{
    QSqlQuery query = step->Query(sql);
    return query.next() ? query.value(0).toString() : QStringLiteral("(none)");
}
} // namespace

TEST_F(ProcessTreeCreateFixture, ProcessInformationRelabelsACaseOnlyRename)
{
    OpenProject();
    Select({1});
    AnswerProcess("AMIDOL", "Hydrochloride", "renamed");
    tree.OnInformation();
    ASSERT_EQ(dialogs.processAsked.size(), 1);
    EXPECT_EQ(dialogs.processAsked.first().name, "Amidol");
    EXPECT_TRUE(dialogs.processAsked.first().editing);
    EXPECT_EQ(Node({1})->text(0), "AMIDOL (Hydrochloride)");
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM \"Process-To-Project\" WHERE ProcessID = 2 AND "
                          "ProcessName = 'AMIDOL' COLLATE BINARY"),
              1);
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM Process WHERE ProcessID = 2 AND Description = 'renamed'"), 1);
    EXPECT_EQ(concerns.calls.join(", ").toStdString(), "reload views, panes, refresh automation -1, panes");
}

// A step renamed in one process: both occurrences, its documents, windows and results follow; the
// pending change regenerates every operation's line first.
TEST_F(ProcessTreeCreateFixture, StepInformationRenamesEveryOccurrence)
{
    OpenProject();
    Select({1, 0});
    tree.OnTextRecipe(); // a recipe document of Coupling
    host.calls.clear();
    AnswerNewStep("Coupling B", "2.0", CProjectGenerator::FIRST_EXTRA_PLANT_ID);
    tree.OnInformation();
    EXPECT_EQ(Node({0, 0})->text(0), "Coupling B (2.0)");
    EXPECT_EQ(Node({1, 0})->text(0), "Coupling B (2.0)");
    const RecipeDocumentIdentity& document = host.windows.value(COUPLING)->identity();
    EXPECT_EQ(std::pair(document.stepTitle, document.facilityID),
              std::pair(QString("Coupling B (2.0)"), CProjectGenerator::FIRST_EXTRA_PLANT_ID));
    EXPECT_EQ(StepText(GetStepDatabase(COUPLING), "SELECT StepName || PlantID FROM Step"), "Coupling B100");
    EXPECT_EQ(ProjectLong("SELECT COUNT(*) FROM ProjectStep WHERE StepName = 'Coupling B'"), 1);
    const QStringList lines = concerns.calls.filter(QRegularExpression("^line "));
    EXPECT_EQ(lines.size(),
              StepText(GetStepDatabase(COUPLING), "SELECT COUNT(*) FROM TextRecipe WHERE Type = 'Operation'").toInt());
    concerns.calls.removeIf([](const QString& call) { return call.startsWith("line "); });
    EXPECT_EQ(concerns.calls.join(", ").toStdString(),
              "reload views, panes, stepModified 1001, retitle 1001 Coupling B (2.0), refresh automation 1001, panes");
    EXPECT_EQ(host.calls.filter("reset").join(", ").toStdString(), "reset 1001 ''");
    EXPECT_EQ(app.modifiedHistory().last(), true);
}

TEST_F(ProcessTreeCreateFixture, StepInformationWithoutARenameStillNotifiesAndResets)
{
    OpenProject();
    Select({0, 1});
    dialogs.stepAnswers << [](StepForm&) { return true; };
    tree.OnInformation();
    concerns.calls.removeIf([](const QString& call) { return call.startsWith("line "); });
    EXPECT_EQ(concerns.calls.join(", ").toStdString(),
              "reload views, panes, stepModified 1002, refresh automation 1002, panes");
    EXPECT_EQ(host.calls.filter("reset").join(", ").toStdString(), "reset 1002 ''");
    EXPECT_EQ(Node({0, 1})->text(0), "Crystallization (1.0)");
}

TEST_F(ProcessTreeCreateFixture, AFailedProjectRowPutsTheStepRowBack)
{
    OpenProject();
    EditProject("CREATE TRIGGER refuse BEFORE UPDATE ON ProjectStep BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Select({0, 2});
    AnswerNewStep("Tray Drying", "2.0");
    prompts.expect(IDOK);
    tree.OnInformation();
    EXPECT_TRUE(prompts.lastText().contains("refused"));
    EXPECT_EQ(StepText(GetStepDatabase(1003), "SELECT StepName || StepVersionName FROM Step"), "Drying1.0");
    EXPECT_EQ(Node({0, 2})->text(0), "Drying (1.0)");
    EXPECT_TRUE(concerns.calls.isEmpty()) << concerns.calls.join(", ").toStdString();
}

// A read that fails after the dialog saved ends only the regeneration.
TEST_F(ProcessTreeCreateFixture, AFailedReadAfterASavedStepEditStillCommitsAndMarks)
{
    OpenProject();
    Select({0, 2});
    dialogs.stepAnswers << [this](StepForm& form) {
        form.name = "Tray Drying";
        EditStep(1003, "DROP TABLE TextRecipe");
        return true;
    };
    prompts.expect(IDOK); // the engine's description
    prompts.expect(IDOK);
    tree.OnInformation();
    EXPECT_EQ(prompts.lastText(), "Can't open TextRecipe Table to retrieve operation id for updating recipe!");
    EXPECT_EQ(concerns.calls.join(", ").toStdString(),
              "reload views, panes, stepModified 1003, retitle 1003 Tray Drying (1.0), refresh automation 1003, panes");
    EXPECT_EQ(app.modifiedHistory().last(), true);
    EXPECT_FALSE(IsProjectChangePending());
}

TEST_F(ProcessTreeCreateFixture, UnitProcedureInformationRelabelsBothOccurrences)
{
    OpenProject();
    const long unitProcedureID = long(Node({1, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
    QList<long> asked;
    tree.SetRecipeItemEditors(
        [&](long stepID, long itemID) {
            asked << stepID << itemID;
            EditStep(stepID, QStringLiteral("UPDATE TextRecipe SET UnitProcedureName = 'Charge Reactor' "
                                             "WHERE Type = 'Unit Procedure' AND ID = %1")
                                 .arg(itemID));
            return true;
        },
        {});
    Select({1, 0, 0});
    tree.OnInformation();
    EXPECT_EQ(asked, QList<long>({COUPLING, unitProcedureID}));
    EXPECT_EQ(Node({0, 0, 0})->text(0), Node({1, 0, 0})->text(0));
    EXPECT_TRUE(Node({0, 0, 0})->text(0).endsWith(" Charge Reactor")) << Node({0, 0, 0})->text(0).toStdString();
    EXPECT_EQ(concerns.calls, QStringList({"panes"}));

    tree.SetRecipeItemEditors([](long, long) { return false; }, {}); // nothing changed
    const QStringList before = Outline(4);
    tree.OnInformation();
    EXPECT_EQ(Outline(4), before);
    EXPECT_EQ(concerns.calls, QStringList({"panes"}));
}

// The editor gets the step and operation, and the unit procedure's equipment for an operation
// without recipe text; only a change refreshes the panes.
TEST_F(ProcessTreeCreateFixture, OperationInformationPassesTheEquipmentToTheEditor)
{
    OpenProject();
    RecordingEquipment equipment;
    SetOperationEditorService(&equipment);
    const long unitProcedureID = long(Node({0, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
    const long operationID = long(Node({0, 0, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
    EditStep(COUPLING, QStringLiteral("UPDATE UnitProcedure SET PrimaryEquipmentID = 42 WHERE UnitProcedureID = %1")
                           .arg(unitProcedureID));
    QStringList seen;
    bool change = false;
    tree.SetRecipeItemEditors({}, [&](long stepID, long itemID) {
        seen << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(stepID)
                    .arg(itemID)
                    .arg(CQVGlobalParams::Instance()->GetParentStepID())
                    .arg(CQVGlobalParams::Instance()->GetEditedOpID())
                    .arg(GetLastPrimaryEquipmentID());
        return change;
    });
    Select({0, 0, 0, 0});
    tree.OnInformation();
    EXPECT_TRUE(concerns.calls.isEmpty()) << "an editor that changed nothing";
    EditStep(COUPLING, QStringLiteral("UPDATE Operation SET RecipeText = '' WHERE OperationID = %1").arg(operationID));
    change = true;
    emit tree.tree()->itemDoubleClicked(Node({0, 0, 0, 0}), 0);
    const QString ids = QStringLiteral("%1 %2 %1 %2 ").arg(COUPLING).arg(operationID);
    EXPECT_EQ(seen, QStringList({ids + "-1", ids + "42"}));
    EXPECT_EQ(concerns.calls, QStringList({"panes"}));
    EXPECT_EQ(app.modifiedHistory().last(), true);

    EditStep(COUPLING, QStringLiteral("DELETE FROM Operation WHERE OperationID = %1").arg(operationID));
    prompts.expect(IDOK);
    tree.OnInformation();
    EXPECT_EQ(prompts.lastText(), "No such operation in Operation Table!");
    EXPECT_EQ(seen.size(), 2);
    SetOperationEditorService(nullptr);
}

// Without stand-ins the recipe's own editors run: their follow-up relabels every occurrence,
// marks the project and refreshes the panes, once per edit.
TEST_F(ProcessTreeCreateFixture, TheRecipesOwnEditorsRefreshThePanesOncePerEdit)
{
    OpenProject();
    RenamingUnitProcedureForm form;
    RewritingOperationEditor editor;
    ServiceInstallations scope;
    scope.Install<OperationDialogService>(&form);
    scope.Install<OperationEditorService>(&editor);
    Select({1, 0, 0});
    tree.OnInformation();
    EXPECT_TRUE(Node({0, 0, 0})->text(0).endsWith(" Charge Reactor")) << Node({0, 0, 0})->text(0).toStdString();
    EXPECT_EQ(Node({1, 0, 0})->text(0), Node({0, 0, 0})->text(0));
    EXPECT_EQ(concerns.calls.count("panes"), 1) << concerns.calls.join(", ").toStdString();
    EXPECT_EQ(app.modifiedHistory().last(), true);

    concerns.calls.clear();
    const long operationID = long(Node({0, 0, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
    Select({0, 0, 0, 0});
    tree.OnInformation();
    EXPECT_EQ(StepText(GetStepDatabase(COUPLING),
                       QStringLiteral("SELECT RecipeText FROM Operation WHERE OperationID = %1").arg(operationID)),
              editor.text);
    EXPECT_EQ(concerns.calls.count("panes"), 1) << concerns.calls.join(", ").toStdString();
}

TEST_F(ProcessTreeCreateFixture, InformationWithNothingSelected)
{
    OpenProject();
    prompts.expect(IDOK);
    tree.OnCommand(ID_PROCESS_INFORMATION);
    EXPECT_EQ(prompts.lastText(), "Nothing selected!");
}
