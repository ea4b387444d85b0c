// The editors of recipe lines: the unit-procedure form and the operation editor by double-click,
// the lines of every view of the step afterwards, the managed side's flags, the parallel-block
// delay, and edits that fail or change nothing.

#include "RecipeEditFixture.h"

#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/opdialog/ConstraintDialogs.h"
#include "modules/opdialog/OPDialog.h"
#include "modules/sharedclasses/QVGlobalParams.h"
#include "recipe/edit/RecipeItemEditors.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QSqlQuery>

#include <functional>

namespace {
// The managed operation editor: runs the scripted behaviour, recording each call with the
// equipment it was handed.
class FakeOperationEditor : public OperationEditorService {
public:
    std::optional<QString> InvokeOperationEditor(long stepID, long operationID, QString* comments) override
    {
        calls << QStringLiteral("editor %1 %2 equipment %3").arg(stepID).arg(operationID).arg(lastEquipment);
        return behaviour ? behaviour(stepID, operationID, comments) : std::nullopt;
    }
    void SetLastPrimaryEquipmentID(long equipmentID) override { lastEquipment = equipmentID; }
    long GetLastPrimaryEquipmentID() const override { return lastEquipment; }

    std::function<std::optional<QString>(long, long, QString*)> behaviour;
    QStringList calls;
    long lastEquipment = -2;
};

// The object tree of scripting, present, recording what is refreshed.
class RecordingTree : public AutomationModel {
public:
    bool AutomationModelExists() const override { return true; }
    void RefreshAutomationUnitProcedure(long, long stepID, long id, const AutomationUnitProcedureData& data) override
    {
        calls << QStringLiteral("unit procedure %1 %2 %3").arg(stepID).arg(id).arg(data.name);
    }
    void RefreshAutomationOperation(long, long stepID, long, long id, const AutomationOperationData& data) override
    {
        calls << QStringLiteral("operation %1 %2 %3").arg(stepID).arg(id).arg(data.recipeText);
    }
    QStringList calls;
};

struct RecordingFacilityExplorer : FacilityExplorerServices {
    bool RefreshFacilityTree() override { return ++refreshes > 0; }
    int refreshes = 0;
};

struct AnsweringParallelDialogs : ConstraintDialogService {
    std::optional<QList<ConstraintChoice>> AskConstraints(const QString&, const QList<ConstraintChoice>& candidates,
                                                          const QList<ConstraintChoice>&, const QStringList&) override
    {
        ++asked;
        QList<ConstraintChoice> chosen = candidates;
        for (ConstraintChoice& choice : chosen)
            std::tie(choice.delay, choice.delayUOM) = std::pair(5.0, QStringLiteral("min"));
        return chosen;
    }
    int asked = 0;
};

void DoubleClick(QWidget* line)
{
    const QPointF at = line->rect().center();
    QMouseEvent event(QEvent::MouseButtonDblClick, at, line->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(line, &event);
}

// Writes the operation's texts in one transaction, as the managed editor does; answers the text.
std::optional<QString> WriteOperationTexts(long stepID, long operationID, const QString& text, const QString& comment)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    CDaoTransaction transaction(*step);
    step->Execute("UPDATE Operation SET RecipeText = ?, UserComments = ?, RangeText = '' WHERE OperationID = ?",
                  {text, comment, qlonglong(operationID)});
    transaction.Commit();
    return text;
}
} // namespace

class RecipeLineEditorsTest : public RecipeEditFixture {
protected:
    RecipeLineEditorsTest()
    {
        installed.Install<OperationEditorService>(&editor);
        installed.Install<AutomationModel>(&tree);
        installed.Install<FacilityExplorerServices>(&facilities);
        installed.Install<ConstraintDialogService>(&parallel);
    }
    ~RecipeLineEditorsTest() override { CloseSharedEquipmentDB(); }

    // Coupling open in two windows; both are compared with a fresh load.
    CQUORVANTAView& OpenTwice()
    {
        CQUORVANTAView& view = OpenCoupling();
        app.fileSet().equipmentDBPath = app.root() + "project/Demo.eqm";
        auto* second = new CQUORVANTAView;
        second->identity().stepID = COUPLING_STEP;
        second->resize(500, 300);
        second->show();
        host.moreViews << second;
        QCoreApplication::processEvents();
        return view;
    }
    void ExpectBothMatchFreshLoad(const CQUORVANTAView& view)
    {
        ExpectMatchesFreshLoad(view);
        ExpectMatchesFreshLoad(*host.moreViews.first());
    }
    static QString Value(const QString& sql)
    {
        QSqlQuery query = GetStepDatabase(COUPLING_STEP)->Query(sql);
        return query.next() ? query.value(0).toString() : QString();
    }
    // Nothing follows an edit that stored nothing.
    void ExpectNoFollowUps()
    {
        EXPECT_TRUE(engine.calls.isEmpty());
        EXPECT_TRUE(tree.calls.isEmpty());
        EXPECT_EQ(panes.refreshes, 0);
        EXPECT_FALSE(services.calls.join(';').contains("explorer text"));
    }

    FakeOperationEditor editor;
    RecordingTree tree;
    RecordingFacilityExplorer facilities;
    AnsweringParallelDialogs parallel;
};

TEST_F(RecipeLineEditorsTest, ARenamedUnitProcedureShowsInEveryViewAsAFreshLoadShowsIt)
{
    CQUORVANTAView& view = OpenTwice();
    CRecipeButton* reaction = view.Line(0);
    const long id = reaction->GetButtonID();
    const long equipment = Value(QString("SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureID = %1").arg(id)).toLong();
    dialogs.edits.push_back(UnitProcedureEditInput{"Coupling in R-101", equipment, "Inert and cool first."});
    DoubleClick(reaction);
    EXPECT_EQ(dialogs.asked, QStringList{"edit Reaction in R-101"});
    EXPECT_FALSE(dialogs.offeredEquipment.isEmpty()) << "the equipment of the step's facility";
    EXPECT_EQ(Value(QString("SELECT UnitProcedureName || '|' || UserComments FROM UnitProcedure WHERE UnitProcedureID = %1").arg(id)),
              "Coupling in R-101|Inert and cool first.");
    EXPECT_EQ(Value(QString("SELECT UnitProcedureName FROM TextRecipe WHERE ID = %1 AND Type = 'Unit Procedure'").arg(id)),
              "Coupling in R-101");
    ExpectBothMatchFreshLoad(view);
    EXPECT_TRUE(view.Line(0)->text().startsWith("Coupling in R-101"));
    EXPECT_TRUE(services.calls.contains(QString("explorer text 1001 %1 1. Coupling in R-101").arg(id)));
    EXPECT_EQ(engine.calls, QStringList{QString("modified 1001 %1 1").arg(view.Line(1)->GetButtonID())});
    EXPECT_EQ(tree.calls, QStringList{QString("unit procedure 1001 %1 Coupling in R-101").arg(id)});
    EXPECT_EQ(panes.refreshes, 1);
    EXPECT_TRUE(app.isProjectModified());
}

// The form reached without a view, the way the Standard Statements pane calls it: no name wanted,
// the step database's path instead of the project file's.
TEST_F(RecipeLineEditorsTest, TheFormTakesEitherPathAndNoNameAndAnswersOnlyAChange)
{
    CQUORVANTAView& view = OpenTwice();
    const long id = view.Line(12)->GetButtonID();
    const UnitProcedureEditInput current{"Work-up in R-102", Value(QString("SELECT PrimaryEquipmentID FROM UnitProcedure WHERE UnitProcedureID = %1").arg(id)).toLong(),
                                         Value(QString("SELECT UserComments FROM UnitProcedure WHERE UnitProcedureID = %1").arg(id))};
    dialogs.edits = {std::nullopt, current};
    EXPECT_FALSE(CreateUnitProcedure(GetQuorvantaTempDir(), GetStepDBPath(COUPLING_STEP), COUPLING_STEP, id, nullptr, nullptr, false));
    EXPECT_FALSE(EditUnitProcedureOfStep(COUPLING_STEP, id)) << "the same values";
    ExpectNoFollowUps();
    EXPECT_FALSE(app.isProjectModified());
    dialogs.edits.push_back(UnitProcedureEditInput{"Isolation", -1, QString()});
    EXPECT_TRUE(CreateUnitProcedure(GetQuorvantaTempDir(), GetStepDBPath(COUPLING_STEP), COUPLING_STEP, id, nullptr, nullptr, false));
    EXPECT_EQ(Value(QString("SELECT UnitProcedureName || '|' || PrimaryEquipmentID || '|' || COALESCE(UserComments, 'null') FROM UnitProcedure WHERE UnitProcedureID = %1").arg(id)),
              "Isolation|-1|null");
    EXPECT_FALSE(EditUnitProcedureOfStep(COUPLING_STEP, 987654)) << "no such unit procedure: no form";
}

TEST_F(RecipeLineEditorsTest, AnEditedOperationShowsInEveryViewAsAFreshLoadShowsIt)
{
    CQUORVANTAView& view = OpenTwice();
    CRecipeButton* purge = view.Line(1);
    const long id = purge->GetButtonID();
    editor.behaviour = [](long step, long op, QString* comments) {
        *comments = "Check the oxygen level.";
        return WriteOperationTexts(step, op, "Purge R-101 with nitrogen for 20 min.", *comments);
    };
    DoubleClick(purge);
    EXPECT_EQ(editor.calls, QStringList{QString("editor 1001 %1 equipment -1").arg(id)}) << "not a new operation";
    EXPECT_EQ(std::pair(CQVGlobalParams::Instance()->GetParentStepID(), CQVGlobalParams::Instance()->GetEditedOpID()),
              std::pair(COUPLING_STEP, id));
    ExpectBothMatchFreshLoad(view);
    EXPECT_TRUE(view.Line(1)->text().startsWith("Purge R-101 with nitrogen for 20 min."));
    EXPECT_EQ(view.Line(1)->line().commentText, "Check the oxygen level.");
    EXPECT_TRUE(view.Line(1)->IsSelected());
    EXPECT_EQ(engine.calls, QStringList{QString("modified 1001 %1 1").arg(id)});
    EXPECT_EQ(tree.calls, QStringList{QString("operation 1001 %1 Purge R-101 with nitrogen for 20 min.").arg(id)});
    EXPECT_EQ(panes.refreshes, 1);
}

TEST_F(RecipeLineEditorsTest, ANewOperationHandsTheUnitProceduresEquipmentToTheEditor)
{
    CQUORVANTAView& view = OpenTwice();
    const long id = view.Line(2)->GetButtonID();
    EditStep(COUPLING_STEP, QString("UPDATE Operation SET RecipeText = ' ' WHERE OperationID = %1").arg(id));
    const QString equipment = Value(QString("SELECT u.PrimaryEquipmentID FROM Operation o JOIN UnitProcedure u"
                                            " USING (UnitProcedureID) WHERE o.OperationID = %1").arg(id));
    EXPECT_FALSE(EditOperationOfStep(COUPLING_STEP, id));
    EXPECT_EQ(editor.calls, QStringList{QString("editor 1001 %1 equipment %2").arg(id).arg(equipment)});
}

// No text, or a text that leaves the line as it was: nothing changes, the project is marked.
TEST_F(RecipeLineEditorsTest, AnEditorWithoutChangeLeavesTheLinesAndMarksTheProject)
{
    CQUORVANTAView& view = OpenTwice();
    const QStringList before = State(view);
    const QString recipeText = view.Line(1)->line().recipeText;
    const QString comment = Value(QString("SELECT UserComments FROM Operation WHERE OperationID = %1").arg(view.Line(1)->GetButtonID()));
    for (bool sameText : {false, true}) {
        SCOPED_TRACE(sameText);
        editor.behaviour = [&](long, long, QString* comments) -> std::optional<QString> {
            *comments = comment;
            return sameText ? std::optional(recipeText) : std::nullopt;
        };
        app.setProjectModified(false);
        EXPECT_FALSE(view.Line(1)->Edit());
        EXPECT_EQ(State(view), before);
        EXPECT_TRUE(app.isProjectModified());
    }
    EXPECT_TRUE(engine.calls.size() <= 1) << "only a text that came back tells the engine";
}

// The managed side's flags: the facility flag refreshes the Facility Explorer; the reload flag
// reloads every view in the line's own handler and ends the edit.
TEST_F(RecipeLineEditorsTest, TheReloadFlagReloadsTheViewsAndEndsTheEdit)
{
    for (int kind : {RECIPE_LINE_UNIT_PROCEDURE, RECIPE_LINE_OPERATION}) {
        SCOPED_TRACE(kind);
        CQUORVANTAView& view = kind == 1 ? OpenTwice() : *host.views.value(COUPLING_STEP);
        const int index = kind == 1 ? 0 : 1;
        editor.behaviour = [](long, long, QString*) {
            SetRecipeReloadFlag();
            SetFacilityRefreshFlag();
            return std::nullopt;
        };
        if (kind == 1) {
            dialogs.edits.push_back(std::nullopt);
            SetRecipeReloadFlag();
        }
        facilities.refreshes = 0;
        QPointer<CRecipeButton> line = view.Line(index);
        DoubleClick(line);
        EXPECT_FALSE(TestAndClearRecipeReloadFlag()) << "taken back";
        EXPECT_NE(view.Line(index), line.data()) << "the views were reloaded";
        QCoreApplication::processEvents();
        EXPECT_TRUE(line.isNull()) << "the old line is gone";
        EXPECT_EQ(facilities.refreshes, kind == 2 ? 1 : 0);
        EXPECT_TRUE(app.isProjectModified());
        ExpectBothMatchFreshLoad(view);
    }
    ExpectNoFollowUps();
}

TEST_F(RecipeLineEditorsTest, TheParallelBlockDelayRefreshesThePanesAndTellsTheEngineOfEachOperation)
{
    CQUORVANTAView& view = OpenTwice();
    DoubleClick(view.Line(4));
    EXPECT_EQ(parallel.asked, 1);
    EXPECT_EQ(panes.refreshes, 1);
    EXPECT_EQ(engine.calls, (QStringList{QString("modified 1001 %1 1").arg(view.Line(6)->GetButtonID()),
                                         QString("modified 1001 %1 1").arg(view.Line(8)->GetButtonID())}));
    EXPECT_TRUE(view.Line(4)->IsSelected());
    for (int keyword : {5, 7, 9}) // "Series", "End Parallel": no editor
        DoubleClick(view.Line(keyword));
    EXPECT_EQ(parallel.asked, 1);
}

// A write refused by the database: the rows stay, the message is shown, nothing follows.
TEST_F(RecipeLineEditorsTest, ARefusedWriteOfTheFormKeepsTheRowsAndHasNoFollowUps)
{
    CQUORVANTAView& view = OpenTwice();
    const QStringList before = State(view);
    EditStep(COUPLING_STEP, "CREATE TEMP TRIGGER RefuseName BEFORE UPDATE ON TextRecipe"
                            " BEGIN SELECT RAISE(ABORT, 'name refused'); END");
    dialogs.edits.push_back(UnitProcedureEditInput{"Refused", -1, "gone"});
    prompts.expect(IDOK);
    EXPECT_FALSE(view.Line(0)->Edit());
    EXPECT_TRUE(prompts.lastText().contains("name refused"));
    EXPECT_EQ(Value("SELECT COUNT(*) FROM UnitProcedure WHERE UnitProcedureName = 'Refused'"), "0");
    EXPECT_FALSE(GetStepDatabase(COUPLING_STEP)->InTransaction());
    EXPECT_EQ(State(view), before);
    ExpectNoFollowUps();
}
