// A step's label and recipe outline read for the tree: the same rows as the label and outline sets
// give, the edge cases of empty tables, and nothing left on the connection.

#include "RecordsetFixture.h"

#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/step/RecipeOutlineSet.h"
#include "foundation/db/step/StepLabelSet.h"
#include "foundation/db/step/StepOutlineReader.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace {

// "label" first when the step table has a row, then "id up.op name [UP|hidden]" per line.
QStringList describe(const StepOutline& outline)
{
    QStringList rows =
        outline.hasStep ? QStringList{outline.stepName + " / " + outline.versionName} : QStringList();
    for (const StepOutlineLine& l : outline.lines)
        rows << QStringLiteral("%1 %2.%3 %4 %5")
                    .arg(l.id)
                    .arg(l.upNumber)
                    .arg(l.opNumber)
                    .arg(l.name)
                    .arg(l.unitProcedure ? "UP"
                         : l.hidden      ? "hidden"
                                         : "");
    return rows;
}

QStringList describeThroughSets(long stepID)
{
    StepOutline outline;
    CStepLabelSet label;
    if ((outline.hasStep = label.OpenSet(stepID) && label.GetRecordCount() > 0))
        std::tie(outline.stepName, outline.versionName) =
            std::pair(label.GetText("StepName"), label.GetText("StepVersionName"));
    CRecipeOutlineSet rows;
    for (rows.OpenSet(stepID); !rows.IsEOF(); rows.MoveNext()) {
        const bool up = rows.GetText("Type").compare("Unit Procedure", Qt::CaseInsensitive) == 0;
        outline.lines.push_back({.id = rows.GetLong("ID"),
                                 .upNumber = rows.GetLong("UPNumber"),
                                 .opNumber = rows.GetLong("OPNumber"),
                                 .name = rows.GetText(up ? "UnitProcedureName" : "OperationName"),
                                 .unitProcedure = up,
                                 .hidden = rows.GetBool("Hide")});
    }
    return describe(outline);
}

} // namespace

using StepOutlineReaderTest = RecordsetFixture;

// Mixed-case types, a hidden operation and lines stored out of recipe order (two sharing a sequence
// number, which their row keys then order) count as the sets count them.
TEST_F(StepOutlineReaderTest, ReadsWhatTheLabelAndOutlineSetsReadOnEveryDemoStep)
{
    scalar(stepPath(COUPLING),
           "UPDATE TextRecipe SET Type = 'operation', Hide = 1 WHERE RecipeSequenceNumber = 3");
    scalar(stepPath(COUPLING),
           "UPDATE TextRecipe SET Type = 'UNIT PROCEDURE' WHERE RecipeSequenceNumber = 1");
    scalar(stepPath(SALT_FORMATION),
           "UPDATE TextRecipe SET RecipeSequenceNumber = 1000 - RecipeSequenceNumber");
    scalar(stepPath(SALT_FORMATION),
           "UPDATE TextRecipe SET RecipeSequenceNumber = 997 WHERE RecipeSequenceNumber = 996");
    StepOutline outline;
    for (const auto& [stepID, db] : m_stepDbs) {
        ReadStepOutline(*db, stepID, outline);
        EXPECT_EQ(describe(outline), describeThroughSets(stepID)) << stepID;
        EXPECT_FALSE(outline.lines.empty()) << stepID;
    }
    ReadStepOutline(*m_stepDbs.at(COUPLING), COUPLING, outline);
    EXPECT_TRUE(describe(outline).join('\n').contains("hidden"));
}

// The statements are finalised after each read; the first read takes the connection's change
// reference, so another handle's commit afterwards counts.
TEST_F(StepOutlineReaderTest, EmptyTablesOtherStepsAndWhatTheReadLeavesBehind)
{
    CDaoDatabase& coupling = *m_stepDbs.at(COUPLING);
    StepOutline outline;
    ReadStepOutline(coupling, COUPLING, outline);
    const size_t lines = outline.lines.size();
    const QVariant handle = coupling.Connection().database().driver()->handle();
    EXPECT_EQ(sqlite3_next_stmt(*static_cast<sqlite3* const*>(handle.constData()), nullptr), nullptr);
    const quint64 before = ChangeNumber(coupling.GetName());
    scalar(coupling.GetName(), "UPDATE Step SET Description = 'changed'");
    EXPECT_GT(ChangeNumber(coupling.GetName()), before);

    ReadStepOutline(coupling, SALT_FORMATION, outline); // not this file's step: the earlier lines go
    EXPECT_EQ(describe(outline), QStringList({"Coupling / 1.0"}));
    coupling.Execute("DELETE FROM Step");
    ReadStepOutline(coupling, COUPLING, outline);
    EXPECT_EQ(std::tuple(outline.hasStep, outline.stepName, outline.lines.size()),
              std::tuple(false, QString(), lines))
        << "the outline does not depend on the step table";
    coupling.Execute("DELETE FROM TextRecipe");
    ReadStepOutline(coupling, COUPLING, outline);
    EXPECT_TRUE(outline.lines.empty());

    CDaoDatabase closed;
    EXPECT_THROW(ReadStepOutline(closed, COUPLING, outline), CDaoException);
}
