// Preferences > Cost Factors in the running program on Demo: a capital row added with its total,
// a direct product row on "Average Cycle Time" with a unit, a new fixed cost; OK, saved, closed and
// reopened, and shown again as kept. With QV_SHOTS_DIR set, each state is kept as
// oc1-cost-<name>.png there (the screen under X, else the window itself).

#include "RecipeShellFixture.h"
#include "foundation/controls/MyComboBox.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/costs/CalculatedItemsDialog.h"
#include "preferences/costs/CostFactorPreferenceDialog.h"
#include "preferences/costs/DirectProductCostTab.h"
#include "preferences/costs/TotalledCostFactorTab.h"
#include "preferences/hub/Preference.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
void CostFactorShot(QWidget* window, const QString& name)
{
    SaveShellShot(window, "oc1-cost-" + name + ".png");
}

QString CostFactorValue(const QString& sql)
{
    QSqlQuery query = GetProjectDatabase()->Query(sql);
    return query.next() ? query.value(0).toString() : QString("no row");
}

// Opens the cost factor sheet from the hub and hands it to walk; the sheet is closed by walk.
bool WithCostFactorSheet(CMainFrame* frame, const std::function<void(CCostFactorPreferenceDialog&)>& walk)
{
    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* hub = qobject_cast<CPreference*>(QApplication::activeModalWidget());
        ASSERT_NE(hub, nullptr);
        ASSERT_TRUE(hub->button(1049)->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* sheet = qobject_cast<CCostFactorPreferenceDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            walk(*sheet);
            walked = true;
        });
        hub->button(1049)->click();
        hub->findChild<QPushButton*>(QString::number(IDOK))->click();
    });
    frame->action(ID_TOOLS_PREFERENCES)->trigger();
    return walked;
}

void TypeCostFactor(CObjectGridWnd* grid, int row, int col, const QString& text)
{
    grid->SetCurrentCell(row, col);
    grid->edit(grid->model()->index(row - 1, col - 1));
    auto* edit = qobject_cast<QLineEdit*>(grid->CurrentEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    ASSERT_TRUE(grid->UpdateData(true));
}
} // namespace

class CostFactorWalkShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        frame->setGeometry(0, 0, 1400, 860);
    }
    void AddCapitalRow(CCostFactorPreferenceDialog& sheet)
    {
        ASSERT_TRUE(sheet.SetActivePage(0));
        auto* capital = static_cast<CTotalledCostFactorTab*>(sheet.Tab(0));
        capital->button(1400)->click();
        TypeCostFactor(capital->grid(), 5, 1, "Contingency");
        TypeCostFactor(capital->grid(), 5, 2, "0.38");
        EXPECT_EQ(capital->TotalText(), "2");
        CostFactorShot(&sheet, "capital");
    }
    void AddCycleTimeRow(CCostFactorPreferenceDialog& sheet)
    {
        ASSERT_TRUE(sheet.SetActivePage(1));
        auto* direct = static_cast<CDirectProductCostTab*>(sheet.Tab(1));
        CObjectGridWnd* grid = direct->grid();
        direct->button(1398)->click();
        TypeCostFactor(grid, 5, 1, "Operating Labor");
        TypeCostFactor(grid, 5, 2, "42");
        QTimer::singleShot(0, [&] {
            auto* items = qobject_cast<CCalculatedItemsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(items, nullptr);
            items->TimesButton()->click();
            items->CheckBox(10)->setChecked(true);
            CostFactorShot(items, "items");
            items->OnOK();
        });
        grid->ClickButton(5, 5);
        grid->SetValueRowCol(5, 3, "EUR/h");
        direct->amountEdit()->setText("180000");
        direct->currencyCombo()->setCurrentIndex(direct->currencyCombo()->FindStringExact(-1, "EUR"));
        grid->SetCurrentCell(5, 4);
        CostFactorShot(&sheet, "product");
    }
};

TEST_F(CostFactorWalkShellTest, CostFactorsAreKeptAcrossSaveAndReopen)
{
    ASSERT_TRUE(WithCostFactorSheet(frame, [&](CCostFactorPreferenceDialog& sheet) {
        AddCapitalRow(sheet);
        AddCycleTimeRow(sheet);
        sheet.OkButton()->click();
    }));
    ASSERT_TRUE(app->SaveOpenProject());
    ASSERT_TRUE(app->CloseProject(SaveAnswer::Discard));
    ASSERT_TRUE(app->OpenProjectByPath(m_project));
    EXPECT_EQ(CostFactorValue("SELECT CostFactor FROM CostFactor WHERE CostFactorItem = 'Contingency'"), "0.38");
    EXPECT_EQ(CostFactorValue("SELECT c.CostFactorUOM || ' ' || i.CalculatedCostFactorID FROM CostFactor c JOIN "
                              "ItemizedCostFactor i USING (CostFactorID) WHERE c.CostFactorItem = 'Operating Labor'"),
              "EUR/h 10");
    EXPECT_EQ(CostFactorValue("SELECT CostFactor || ' ' || CostFactorUOM FROM CostFactor WHERE CostFactorID = 0"),
              "180000.0 EUR");

    ASSERT_TRUE(WithCostFactorSheet(frame, [&](CCostFactorPreferenceDialog& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(0));
        EXPECT_EQ(static_cast<CTotalledCostFactorTab*>(sheet.Tab(0))->TotalText(), "2");
        CostFactorShot(&sheet, "reopened-capital");
        ASSERT_TRUE(sheet.SetActivePage(1));
        auto* direct = static_cast<CDirectProductCostTab*>(sheet.Tab(1));
        EXPECT_EQ(direct->grid()->GetValueRowCol(5, 4), "Average Cycle Time");
        EXPECT_EQ(direct->grid()->GetValueRowCol(5, 3), "EUR/h");
        EXPECT_EQ(direct->amountEdit()->text(), "180000");
        EXPECT_EQ(direct->currencyCombo()->currentText(), "EUR");
        CostFactorShot(&sheet, "reopened-product");
        sheet.PressCancel();
    }));
}
