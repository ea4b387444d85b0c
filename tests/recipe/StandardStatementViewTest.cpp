// The Standard Statements pane over generated steps: row texts, statements, a failing module, and
// "Open Dialog" from its context menu.

#include "StepPanesFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/FrameNotifyMessage.h"
#include "modules/opdialog/OperationDialogService.h"
#include "modules/sharedclasses/QVGlobalParams.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace {
// Statement "S<k>" at call k; false from call failAt on.
class CountingStatements : public QVSOPEntry {
public:
    explicit CountingStatements(int failAt) : m_failAt(failAt) {}
    bool getStandardStatement(long, long itemID, QString& name) override
    {
        items << itemID;
        if (++m_calls >= m_failAt)
            return false;
        name = QString("S%1").arg(m_calls);
        return true;
    }
    QList<long> items;

private:
    int m_failAt;
    int m_calls = 0;
};

// Runs a command on its target, as the frame's dispatcher does, and records it.
class StatementPaneFrame : public CommandDispatcher, public FrameNotifyReceiver {
public:
    bool DispatchCommand(const CommandRequest& request) override
    {
        calls << QString("command %1 %2").arg(request.commandID).arg(request.hitItem.toInt());
        if (!request.target || !request.target->HandlesCommand(request.commandID))
            return false;
        request.target->OnCommandAt(request.commandID, request.hitItem);
        return true;
    }
    bool OnFrameNotify(int message, qintptr wParam, qintptr lParam) override
    {
        calls << QString("notify %1 %2 %3").arg(message - WM_USER).arg(wParam).arg(lParam);
        return true;
    }
    QStringList calls;
};

class StandardStatementViewTest : public StepPanesFixture {
protected:
    void SetUp() override
    {
        Open();
        Raise(statementsDock);
    }
    // A right-click on the list at the point; the menu's command clicked when it opens.
    bool RightClick(const QPoint& at, const QString& command = "Open Dialog")
    {
        QTimer::singleShot(0, [command] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu && menu->objectName() == "StandardStatementMenu");
            for (QAction* action : menu->actions()) {
                if (action->text() == command) {
                    menu->hide();
                    action->trigger();
                }
            }
        });
        return statements->ContextMenuAt(at);
    }
    QPoint RowPoint(int row) const
    {
        return statements->list().visualItemRect(statements->list().topLevelItem(row)).center();
    }
};

TEST_F(StandardStatementViewTest, RowsInRecipeOrderWithTheirStatements)
{
    statements->SetStep(BLEND_STEP);
    EXPECT_EQ(statements->Caption(), "Operating Instruction Standard Statements for Blend (2.0)");
    EXPECT_EQ(statementsDock->toggleViewAction()->text(), "Standard Statements");
    EXPECT_EQ(Rows(*statements),
              QStringList(
                  {"1 Prep|", "1.1 Charge 800 kg of solid catalyst to R-1...|Solids Charging Through Manway",
                   "1.2 " + QString(80, 'h') + "...|Controlled Heating to Set Point",
                   "1.3 ...|Hold at Temperature", "2 Finish|", "2.1 Cool...|Controlled Cooling to Set Point",
                   "2.2 Pump the batch to T-2...|Pumped Transfer Between Vessels"}));
    EXPECT_EQ(statements->itemIDs(),
              QList<long>({-IdOf(BLEND_STEP, "1."), IdOf(BLEND_STEP, "1.1."), IdOf(BLEND_STEP, "1.2."),
                           IdOf(BLEND_STEP, "1.3."), -IdOf(BLEND_STEP, "2."), IdOf(BLEND_STEP, "2.1."),
                           IdOf(BLEND_STEP, "2.2.")}));
}

TEST_F(StandardStatementViewTest, AChangedRecipeTextChangesTheStatement)
{
    statements->SetStep(BLEND_STEP);
    EXPECT_EQ(statements->list().GetItemText(6, 1), "Pumped Transfer Between Vessels");
    EditStep(BLEND_STEP,
             "UPDATE Operation SET RecipeText = 'Let the batch flow to T-2.' WHERE OperationID = ?",
             {qlonglong(IdOf(BLEND_STEP, "2.2."))});
    statements->Refresh();
    EXPECT_EQ(statements->list().GetItemText(6, 1), "Gravity Transfer Between Vessels");
    EditStep(BLEND_STEP, "UPDATE Operation SET OperationTypeID = 36 WHERE OperationID = ?", // no such type
             {qlonglong(IdOf(BLEND_STEP, "2.2."))});
    statements->Refresh();
    EXPECT_EQ(statements->list().GetItemText(6, 1), "");
}

TEST_F(StandardStatementViewTest, AFailingModuleKeepsTheRowsListedBeforeIt)
{
    for (int failAt : {1, 3, 8}) {
        SCOPED_TRACE(failAt);
        CountingStatements module(failAt);
        ServiceInstallations scope;
        scope.Install<QVSOPEntry>(&module);
        statements->ClearStep();
        statements->SetStep(BLEND_STEP);
        const int kept = std::min(failAt - 1, 7);
        EXPECT_EQ(statements->list().GetItemCount(), kept);
        EXPECT_EQ(statements->itemIDs().size(), kept);
        if (kept > 0) {
            EXPECT_EQ(statements->list().GetItemText(kept - 1, 1), QString("S%1").arg(kept));
        }
        EXPECT_EQ(module.items.value(0), -IdOf(BLEND_STEP, "1."));
    }
}

TEST_F(StandardStatementViewTest, TheModuleAnswersFalseWithoutTheStepDatabase)
{
    QString name = "old";
    EXPECT_FALSE(QVSOPEntry().getStandardStatement(4242, 1, name));
    EXPECT_TRUE(name.isEmpty());
    ServiceInstallations scope;
    scope.Install<QVSOPEntry>(nullptr);
    EXPECT_FALSE(GetStandardStatement(BLEND_STEP, IdOf(BLEND_STEP, "1.1."), name));
    statements->SetStep(BLEND_STEP); // without the module no row is listed
    EXPECT_EQ(statements->Caption(), "Operating Instruction Standard Statements for Blend (2.0)");
    EXPECT_TRUE(Rows(*statements).isEmpty());
}

// The unit-procedure form, answered Cancel; counts how often it was asked.
class CancelledUnitProcedureForm : public OperationDialogService {
public:
    std::optional<NewUnitProcedureInput> AskUnitProcedure(const QString&) override { return std::nullopt; }
    std::optional<NewOperationInput> AskOperation(const QString&, const QString&) override { return std::nullopt; }
    std::optional<UnitProcedureEditInput> AskUnitProcedureEdit(const UnitProcedureEditInput&,
                                                               const QList<EquipmentChoice>&) override
    {
        ++asked;
        return std::nullopt;
    }
    int asked = 0;
};

TEST_F(StandardStatementViewTest, OpenDialogOnAnOperationHandsItsIdsToTheFrame)
{
    StatementPaneFrame frame;
    CancelledUnitProcedureForm form;
    ServiceInstallations scope;
    scope.Install<OperationDialogService>(&form);
    scope.Install<CommandDispatcher>(&frame);
    scope.Install<FrameNotifyReceiver>(&frame);
    CQVGlobalParams::Destroy();
    statements->SetStep(BLEND_STEP);
    ASSERT_TRUE(RightClick(RowPoint(2)));
    EXPECT_EQ(statements->hitItem(), 2);
    EXPECT_EQ(frame.calls, QStringList({QString("command %1 2").arg(ID_OPEN_DIALOG), "notify 116 0 0"}));
    EXPECT_EQ(CQVGlobalParams::Instance()->GetParentStepID(), BLEND_STEP);
    EXPECT_EQ(CQVGlobalParams::Instance()->GetEditedOpID(), IdOf(BLEND_STEP, "1.2."));

    frame.calls.clear();
    CQVGlobalParams::Destroy();
    ASSERT_TRUE(RightClick(RowPoint(4))); // a unit procedure goes to its own editor, not the frame
    EXPECT_EQ(frame.calls, QStringList({QString("command %1 4").arg(ID_OPEN_DIALOG)}));
    EXPECT_EQ(form.asked, 1);
    EXPECT_EQ(CQVGlobalParams::Instance()->GetEditedOpID(), -1);
    CQVGlobalParams::Destroy();
}

TEST_F(StandardStatementViewTest, TheMenuOpensOnlyOverARow)
{
    statements->SetStep(BLEND_STEP);
    const QPoint below = RowPoint(6) + QPoint(0, 200);
    EXPECT_FALSE(statements->ContextMenuAt(below));
    EXPECT_EQ(statements->hitItem(), -1);
    StatementPaneFrame frame;
    ServiceInstallations scope;
    scope.Install<FrameNotifyReceiver>(&frame);
    statements->OpenDialog(99); // no listed row: its stored id counts 0
    statements->OpenDialog(-1);
    EXPECT_TRUE(frame.calls.isEmpty());
}

TEST_F(StandardStatementViewTest, AStepSetWhileHiddenFillsWhenThePaneIsRaised)
{
    Raise(constraintsDock);
    statements->SetStep(BLEND_STEP);
    EXPECT_TRUE(Rows(*statements).isEmpty());
    EXPECT_EQ(statements->Caption(), "Operating Instruction Standard Statements");
    Raise(statementsDock);
    EXPECT_EQ(Rows(*statements).size(), 7);
    statements->ClearStep();
    EXPECT_TRUE(statements->itemIDs().isEmpty());
    EXPECT_EQ(statementsDock->windowTitle(), "Operating Instruction Standard Statements");
}
} // namespace
