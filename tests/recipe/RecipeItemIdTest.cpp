// Ids of new unit procedures and operations: one counter for both kinds per step, so a new item
// never takes an id the other kind already uses; a new unit procedure keeps its number.

#include "RecipeEditFixture.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/view/RecipeClipboard.h"

#include <QSet>
#include <QSqlQuery>
#include <functional>

namespace {
constexpr long DRYING_STEP = 1003;
constexpr long MILLING_STEP = 1005;

const char* const HIGHEST_ITEM_ID = "SELECT MAX((SELECT MAX(UnitProcedureID) FROM UnitProcedure),"
                                    " (SELECT MAX(OperationID) FROM Operation))";
const char* const SHARED_IDS = "SELECT COUNT(*) FROM UnitProcedure u JOIN Operation o"
                               " ON o.OperationID = u.UnitProcedureID WHERE u.UnitProcedureID <> 1";

long StepValue(long stepID, const QString& sql)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(sql);
    return query.next() && !query.value(0).isNull() ? long(query.value(0).toLongLong()) : -1;
}

long SequenceOf(long stepID, long unitProcedureID)
{
    return StepValue(stepID,
                     QStringLiteral("SELECT UPSequenceNumber FROM UnitProcedure WHERE UnitProcedureID = %1")
                         .arg(unitProcedureID));
}
} // namespace

class RecipeItemIdTest : public RecipeEditFixture {
protected:
    RecipeItemIdTest() { installed.Install<RecipeClipboard>(&clipboard); }
    RecipeClipboard clipboard;
};

TEST_F(RecipeItemIdTest, APastedUnitProcedureAndItsOperationsTakeIdsAboveBothKinds)
{
    OpenDemo();
    CQUORVANTAView& source = OpenView(DRYING_STEP);
    source.OnLineClicked(source.Line(IndexOf(source, "Drying in D-301")), false);
    ASSERT_TRUE(source.OnEditCopy());
    CQUORVANTAView& target = OpenView(MILLING_STEP);
    const long highest = StepValue(MILLING_STEP, HIGHEST_ITEM_ID);
    SetInsertAfter(true);
    target.OnLineClicked(target.Line(IndexOf(target, "Milling in M-401")), false);
    ASSERT_TRUE(target.OnEditPaste());
    const int header = IndexOf(target, "Drying in D-301");
    ASSERT_EQ(header, 3);
    QList<long> pasted;
    for (int j = header; j < header + 3; ++j)
        pasted << target.Line(j)->GetButtonID();
    for (const long id : pasted)
        EXPECT_GT(id, highest) << "above every unit-procedure and operation id of Milling";
    EXPECT_EQ(QSet<long>(pasted.cbegin(), pasted.cend()).size(), 3);
    EXPECT_EQ(StepValue(MILLING_STEP, SHARED_IDS), 0);
    EXPECT_EQ(SequenceOf(MILLING_STEP, pasted.first()), 2);
    ExpectMatchesFreshLoad(target);
}

namespace {
struct NewItemCase {
    const char* name;
    const char* selected; // the line selected in Coupling
    bool after;
    std::function<void(CQUORVANTAView&, ScriptedOperationDialogs&)> act;
    const char* newLine; // the text the new line starts with
    long number;         // a unit procedure's UPSequenceNumber; 0 for an operation
};

void InsertUnitProcedure(CQUORVANTAView& view, ScriptedOperationDialogs& dialogs)
{
    dialogs.answer("Filtration");
    view.OnCommand(ID_INSERT_UNIT_PROCEDURE);
}

void InsertHeat(CQUORVANTAView& view, ScriptedOperationDialogs& dialogs)
{
    dialogs.answer("Heat");
    view.OnCommand(32917);
}

const NewItemCase NEW_ITEMS[] = {
    {"UnitProcedureBeforeTheSecond", "Work-up in R-102", false, InsertUnitProcedure, "Filtration", 2},
    {"UnitProcedureAfterTheLast", "Age R-102", true, InsertUnitProcedure, "Filtration", 3},
    {"OperationInTheFirst", "Transfer 100 kg to R-102", true, InsertHeat, "Heat", 0},
    {"OperationInTheLast", "Work-up in R-102", true, InsertHeat, "Heat", 0},
};

void PrintTo(const NewItemCase& c, std::ostream* out)
{
    *out << c.name;
}

class NewRecipeItemTest : public RecipeInsertFixture, public ::testing::WithParamInterface<NewItemCase> {};
} // namespace

TEST_P(NewRecipeItemTest, TakesAnIdAboveBothKindsAndAUnitProcedureItsNumber)
{
    const NewItemCase& c = GetParam();
    CQUORVANTAView& view = OpenCoupling(QString::fromLatin1(c.selected));
    SetInsertAfter(c.after);
    const long highest = StepValue(COUPLING_STEP, HIGHEST_ITEM_ID);
    c.act(view, dialogs);
    const int index = view.GetFirstSelectedIndex();
    ASSERT_GE(index, 0);
    ASSERT_TRUE(view.Line(index)->text().startsWith(QString::fromLatin1(c.newLine)));
    const long id = view.Line(index)->GetButtonID();
    EXPECT_EQ(id, highest + 1);
    EXPECT_EQ(StepValue(COUPLING_STEP, SHARED_IDS), 0);
    if (c.number > 0) {
        EXPECT_EQ(SequenceOf(COUPLING_STEP, id), c.number);
    }
}

INSTANTIATE_TEST_SUITE_P(Coupling, NewRecipeItemTest, ::testing::ValuesIn(NEW_ITEMS),
                         [](const auto& info) { return std::string(info.param.name); });

// The ordinals called without a view draw from the same counter; a unit procedure made so takes
// the number after the step's last one.
TEST_F(RecipeInsertFixture, OrdinalsDrawIdsAboveBothKinds)
{
    OpenDemo();
    const auto highest = [] { return StepValue(COUPLING_STEP, HIGHEST_ITEM_ID); };
    long id = -1, before = highest();
    dialogs.answer("Warm up");
    ASSERT_TRUE(CreateOperation(GetProjectFilePath(), COUPLING_STEP, 1, 26, &id));
    EXPECT_EQ(id, before + 1);
    before = highest();
    ASSERT_TRUE(CreateUnitProcedureByName(GetQuorvantaTempDir(), GetProjectFilePath(), COUPLING_STEP,
                                          "Sieving", &id));
    EXPECT_EQ(id, before + 1);
    EXPECT_EQ(SequenceOf(COUPLING_STEP, id), 3);
    EXPECT_EQ(StepValue(COUPLING_STEP, SHARED_IDS), 0);
}
