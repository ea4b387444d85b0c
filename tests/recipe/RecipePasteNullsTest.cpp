// Pasted operations keep the NULLs of their source rows: no number column of the step ends up
// holding a text, and the step exports afterwards.

#include "RecipeEditFixture.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "recipe/edit/OperationRecipeCopy.h"
#include "recipe/view/RecipeClipboard.h"

#include <QSqlQuery>

#include <algorithm>

namespace {

// "Table.Column" of every INTEGER or REAL column of the step that holds a text anywhere.
QStringList TextsInNumberColumns(long stepID)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    QStringList found;
    QSqlQuery columns = step->Query(
        "SELECT t.name, c.name FROM sqlite_master t, pragma_table_info(t.name) c"
        " WHERE t.type = 'table' AND upper(c.type) IN ('INTEGER', 'REAL') ORDER BY t.name, c.cid");
    while (columns.next()) {
        const QString table = columns.value(0).toString(), column = columns.value(1).toString();
        QSqlQuery texts = step->Query(
            QStringLiteral("SELECT count(*) FROM \"%1\" WHERE typeof(\"%2\") = 'text'").arg(table, column));
        if (texts.next() && texts.value(0).toLongLong() > 0)
            found << table + "." + column;
    }
    return found;
}

// Field rows of the operations whose LongValue is NULL, and those that hold anything else.
QString LongValueKinds(long stepID, const QString& operations)
{
    QSqlQuery query = GetStepDatabase(stepID)->Query(
        "SELECT typeof(f.LongValue), count(*) FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
        " WHERE g.OperationID IN (" +
        operations + ") GROUP BY 1 ORDER BY 1");
    QStringList kinds;
    while (query.next())
        kinds << query.value(0).toString() + " " + query.value(1).toString();
    return kinds.join(", ");
}

struct PasteCase {
    const char* name;
    QStringList copied;  // lines starting so are copied
    const char* sources; // their operations, as SQL
};

const PasteCase kPastes[] = {
    {"an operation", {"Charge 800"}, "SELECT OperationID FROM Operation WHERE RecipeText LIKE 'Charge 800%'"},
    {"a unit procedure",
     {"Reaction"},
     "SELECT ID FROM TextRecipe WHERE Type = 'Operation' AND UPNumber = 1 AND StepID = 1001"},
};

} // namespace

class RecipePasteNullsTest : public RecipeEditFixture, public ::testing::WithParamInterface<PasteCase> {
protected:
    RecipePasteNullsTest() { installed.Install<RecipeClipboard>(&clipboard); }
    void TestBody() override {}

    // The step's file exported the way the export command does it; 1 when it succeeded.
    int ExportCoupling()
    {
        const QString folder = app.root() + "project/", scratch = app.root() + "EXPORT_S.TMP";
        if (!CopyDatabaseFile(GetStepDBPath(COUPLING_STEP), scratch))
            return -1;
        return StepUtilsEntry().exportStep(scratch, folder + "Demo.prj", folder + "Demo.eqm",
                                           folder + "Demo.mtl");
    }
    QString Ids(const QString& sql)
    {
        QStringList ids;
        QSqlQuery query = GetStepDatabase(COUPLING_STEP)->Query(sql);
        while (query.next())
            ids << query.value(0).toString();
        return ids.join(',');
    }

    RecipeClipboard clipboard;
};

TEST_P(RecipePasteNullsTest, CopiedRowsKeepTheirNullsAndTheStepStillExports)
{
    const PasteCase& c = GetParam();
    CQUORVANTAView& view = OpenCoupling();
    const QString sources = Ids(c.sources);
    const QString before = Ids("SELECT OperationID FROM Operation");
    const QString sourceKinds = LongValueKinds(COUPLING_STEP, sources);
    ASSERT_TRUE(sourceKinds.contains("null")) << "the source has empty values: " << sourceKinds.toStdString();

    for (int n = 0; n < c.copied.size(); ++n)
        view.OnLineClicked(view.Line(IndexOf(view, c.copied[n])), n > 0);
    ASSERT_TRUE(view.OnEditCopy());
    view.OnLineClicked(view.Line(IndexOf(view, "Cool R-102")), false);
    ASSERT_TRUE(view.OnEditPaste());

    const QString pasted = Ids("SELECT OperationID FROM Operation WHERE OperationID NOT IN (" + before + ")");
    ASSERT_FALSE(pasted.isEmpty());
    EXPECT_EQ(LongValueKinds(COUPLING_STEP, pasted), sourceKinds);
    EXPECT_EQ(TextsInNumberColumns(COUPLING_STEP).join(' '), "");
    EXPECT_EQ(ExportCoupling(), 1) << prompts.lastText().toStdString();
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pastes, RecipePasteNullsTest, ::testing::ValuesIn(kPastes), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

// The copy of one operation on its own writes the same NULLs as a whole paste.
TEST_F(RecipePasteNullsTest, AnOperationCopiedOnItsOwnKeepsItsNulls)
{
    OpenCoupling();
    const QString source = Ids("SELECT OperationID FROM Operation WHERE RecipeText LIKE 'Charge 800%'");
    GetStepDatabase(COUPLING_STEP)
        ->Execute(
            "INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, QuorvantaLabel)"
            " SELECT (SELECT MAX(OperationID) FROM Operation) + 1, UnitProcedureID, OperationTypeID, 'Copy'"
            " FROM Operation"
            " WHERE OperationID = " +
            source);
    const long copy = Ids("SELECT MAX(OperationID) FROM Operation").toLong();

    ASSERT_EQ(CopyOperationRecipe(COUPLING_STEP, source.toLong(), COUPLING_STEP, copy, true), 1);
    EXPECT_EQ(LongValueKinds(COUPLING_STEP, QString::number(copy)), LongValueKinds(COUPLING_STEP, source));
    EXPECT_EQ(TextsInNumberColumns(COUPLING_STEP).join(' '), "");
}
