// Preferences > Range Type, Labor, Comment Type and Stream Categories in the running program on
// Demo: a used range type deleted after the question (a range a script holds goes detached), a
// used labour grade refused, a used comment type renamed and shown so in the text recipe options,
// a stream category added with its cost; saved, closed, reopened and kept. With QV_SHOTS_DIR set,
// each state is kept as ph2-<name>.png there (the screen under X, else the window itself).

#include "RecipeShellFixture.h"
#include "automation/AutomationInvoke.h"
#include "automation/AutomationObject.h"
#include "automation/QVRange.h"
#include "automation/QuorvantaAut.h"
#include "foundation/common/AutomationFlag.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/QVPropertySheet.h"
#include "preferences/hub/Preference.h"
#include "preferences/lists/CommentTypePreferencesDialog.h"
#include "preferences/lists/LaborPreferenceDialog.h"
#include "preferences/lists/RangeTypePreferencesDialog.h"
#include "preferences/lists/StreamCategoryPreferenceDialog.h"
#include "preferences/options/ToolOptionDialog.h"

#include <QListWidget>
#include <QPushButton>

namespace {
constexpr long GUARD_USING_STEP = 1002; // Demo's step with ranges, a labour field and typed comments
constexpr long GUARD_DELETED_RANGE_TYPE = 2;

void GuardShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "ph2-" + name + ".png");
}

QString GuardValue(CDaoDatabase* database, const QString& sql)
{
    QSqlQuery query = database->Query(sql);
    return query.next() ? query.value(0).toString() : QString("no row");
}

// Opens the hub's dialog of button id and hands it to walk, which closes it.
template <typename Dialog>
bool WithHubDialog(CMainFrame* frame, int id, const std::function<void(Dialog&)>& walk)
{
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        ASSERT_TRUE(hub->button(id)->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            walk(*dialog);
            walked = true;
        });
        hub->button(id)->click();
        hub->findChild<QPushButton*>(QString::number(IDOK))->click();
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    return walked;
}

QList<std::shared_ptr<CAutomationObject>> GuardItems(const std::shared_ptr<CAutomationObject>& parent,
                                                     const char* collection)
{
    QList<std::shared_ptr<CAutomationObject>> items;
    auto owner = InvokeAutomation(parent, InvokeKind::Call, collection).value.object();
    const long count = owner ? InvokeAutomation(owner, InvokeKind::Get, "Count").value.longValue() : 0;
    for (long i = 0; i < count; ++i)
        items << InvokeAutomation(owner, InvokeKind::Call, "Item", {CAutomationVariant::Long(i)})
                     .value.object();
    return items;
}

// The first range of the type a script reaches through the tree in the step.
std::shared_ptr<CQVRange> HeldRange(const std::shared_ptr<CAutomationObject>& root, long stepID, long type)
{
    for (auto& process : GuardItems(root, "Processes"))
        for (auto& step : GuardItems(process, "Steps"))
            for (auto& up : GuardItems(step, "UnitProcedures"))
                for (auto& op : GuardItems(up, "Operations"))
                    for (auto& group : GuardItems(op, "Groups"))
                        for (auto& field : GuardItems(group, "Fields"))
                            for (auto& range : GuardItems(field, "Ranges")) {
                                auto held = std::static_pointer_cast<CQVRange>(range);
                                if (held->m_stepID == stepID && held->m_rangeType == type)
                                    return held;
                            }
    return nullptr;
}
} // namespace

class LibraryGuardWalkShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
    }
    void TearDown() override
    {
        g_bAutomationActive = false;
        RecipeShellFixture::TearDown();
    }
    void DeleteUsedRangeType(CRangeTypePreferencesDialog& dialog)
    {
        dialog.grid()->SetCurrentCell(int(GUARD_DELETED_RANGE_TYPE), 1);
        dialog.OnDelete();
        GuardShot(&dialog, "range-deleted");
        prompts.expect(IDYES);
        dialog.OnOK();
        EXPECT_EQ(prompts.lastText(),
                  "Deleted Range Type has been used in the project. Do you want to delete it?");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    void RefuseUsedGrade(CLaborPreferenceDialog& dialog)
    {
        const QString version =
            GuardValue(GetProjectDatabase(), "SELECT StepVersionName FROM ProjectStep WHERE StepID = 1002");
        dialog.grid()->SetCurrentCell(1, 1); // Operator
        prompts.expect(IDOK);
        dialog.OnDelete();
        EXPECT_EQ(prompts.lastText(), "Labor Grade Operator is used in Step: Crystallization (" + version +
                                          ").\nTamro Plenthover cannot delete it!");
        EXPECT_EQ(dialog.grid()->GetValueRowCol(1, 1), "Operator");
        GuardShot(&dialog, "labor-refused");
        dialog.reject();
    }
    void RenameUsedCommentType(CCommentTypePreferencesDialog& dialog)
    {
        ASSERT_EQ(dialog.grid()->GetValueRowCol(2, 1), "Safety");
        dialog.grid()->SetValueRowCol(2, 1, "Safety Notes");
        GuardShot(&dialog, "comment-renamed");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    void AddStreamCategory(CStreamCategoryPreferenceDialog& dialog)
    {
        dialog.OnInsert();
        const int row = dialog.grid()->GetRowCount();
        dialog.grid()->SetValueRowCol(row, 1, "Halogenated Waste");
        dialog.grid()->SetValueRowCol(row, 2, "1.5");
        dialog.grid()->SetValueRowCol(row, 3, "USD/kg");
        GuardShot(&dialog, "stream-added");
        dialog.OnOK();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    // Tools > Options at its Text Recipe page: the comment types it lists.
    QStringList ShownCommentTypes(const QString& shot)
    {
        QStringList names;
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CToolOptionDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            for (int page = 0; page < sheet->GetPageCount(); ++page)
                if (sheet->GetPage(page) == nullptr && sheet->SetActivePage(page) &&
                    sheet->findChild<QListWidget*>("1666"))
                    break;
            auto* list = sheet->findChild<QListWidget*>("1666");
            ASSERT_NE(list, nullptr);
            for (int row = 0; row < list->count(); ++row)
                names << list->item(row)->text();
            GuardShot(sheet, shot);
            sheet->PressCancel();
        });
        frame->action(ID_TOOLS_OPTIONS)->trigger();
        return names;
    }
};

TEST_F(LibraryGuardWalkShellTest, GuardedLibraryEditsAreKeptAcrossSaveAndReopen)
{
    g_bAutomationActive = true;
    frame->BuildAutomationModel();
    std::shared_ptr<CQVRange> held =
        HeldRange(frame->GetAutomationApplication(), GUARD_USING_STEP, GUARD_DELETED_RANGE_TYPE);
    ASSERT_TRUE(held);
    ASSERT_FALSE(held->IsDetached());

    ASSERT_TRUE(
        WithHubDialog<CRangeTypePreferencesDialog>(frame, 1373, [&](auto& d) { DeleteUsedRangeType(d); }));
    EXPECT_EQ(GuardValue(GetStepDatabase(GUARD_USING_STEP),
                         "SELECT count(*) FROM TblRangeData WHERE RangeTypeID = 2"),
              "0");
    InvokeAutomation(frame->GetAutomationApplication(), InvokeKind::Call,
                     "Processes"); // the tree is reached again
    EXPECT_TRUE(held->IsDetached());

    ASSERT_TRUE(WithHubDialog<CLaborPreferenceDialog>(frame, 1374, [&](auto& d) { RefuseUsedGrade(d); }));
    ASSERT_TRUE(WithHubDialog<CCommentTypePreferencesDialog>(frame, 1379,
                                                             [&](auto& d) { RenameUsedCommentType(d); }));
    EXPECT_TRUE(ShownCommentTypes("options-text-recipe").contains("Safety Notes"));
    ASSERT_TRUE(
        WithHubDialog<CStreamCategoryPreferenceDialog>(frame, 1050, [&](auto& d) { AddStreamCategory(d); }));

    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    CDaoDatabase* project = GetProjectDatabase();
    EXPECT_EQ(GuardValue(project, "SELECT group_concat(Description, ',') FROM TblRangeLibrary"),
              "Normal Operating Range,Design Space");
    EXPECT_EQ(GuardValue(project, "SELECT Description FROM TblCommentLibrary WHERE CommentTypeID = 2"),
              "Safety Notes");
    EXPECT_EQ(GuardValue(project, "SELECT LaborGrade FROM TblLaborCategory WHERE LaborGradeID = 1"),
              "Operator");
    EXPECT_EQ(GuardValue(project, "SELECT DisposalCost || ' ' || DisposalCostUOM FROM StreamCategoryTable "
                                  "WHERE StreamCategory = 'Halogenated Waste'"),
              "1.5 USD/kg");
    EXPECT_EQ(GuardValue(GetStepDatabase(GUARD_USING_STEP),
                         "SELECT count(*) FROM TblRangeData WHERE RangeTypeID = 2"),
              "0");

    ASSERT_TRUE(WithHubDialog<CStreamCategoryPreferenceDialog>(frame, 1050, [&](auto& d) {
        GuardShot(&d, "reopened-streams");
        d.reject();
    }));
    EXPECT_TRUE(ShownCommentTypes("reopened-options-text-recipe").contains("Safety Notes"));
}
