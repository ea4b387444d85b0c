// A step's label and recipe outline read for the tree: the same rows as the label and outline sets
// give, the edge cases of empty tables, and nothing left on the connection.

#include "RecordsetFixture.h"

#include "foundation/db/ChangeTracking.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/step/RecipeOutlineSet.h"
#include "foundation/db/step/StepLabelSet.h"
#include "foundation/db/step/StepOutlineReader.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace {

// One line as "id up.op name" with a mark for unit procedures and hidden operations.
QString describeLine(long id, bool unitProcedure, long up, long op, const QString& name, bool hidden)
{
    return QStringLiteral("%1 %2.%3 %4%5%6")
        .arg(id)
        .arg(up)
        .arg(op)
        .arg(name, unitProcedure ? QStringLiteral(" [UP]") : QString(), hidden ? QStringLiteral(" [hidden]") : QString());
}

QStringList describe(const StepOutline& outline)
{
    QStringList lines;
    if (outline.hasStep)
        lines << outline.stepName + " / " + outline.versionName;
    for (const StepOutlineLine& line : outline.lines)
        lines << describeLine(line.id, line.unitProcedure, line.upNumber, line.opNumber, line.name, line.hidden);
    return lines;
}

// What the label set and the outline set read of the step.
QStringList describeThroughSets(long stepID)
{
    QStringList lines;
    CStepLabelSet label;
    if (label.OpenSet(stepID) && label.GetRecordCount() > 0)
        lines << label.GetText("StepName") + " / " + label.GetText("StepVersionName");
    CRecipeOutlineSet rows;
    for (rows.OpenSet(stepID); !rows.IsEOF(); rows.MoveNext()) {
        const bool unitProcedure = rows.GetText("Type").compare("Unit Procedure", Qt::CaseInsensitive) == 0;
        lines << describeLine(rows.GetLong("ID"), unitProcedure, rows.GetLong("UPNumber"), rows.GetLong("OPNumber"),
                              rows.GetText(unitProcedure ? "UnitProcedureName" : "OperationName"),
                              rows.GetBool("Hide"));
    }
    return lines;
}

sqlite3* engineOfStep(CDaoDatabase& db)
{
    const QVariant handle = db.Connection().database().driver()->handle();
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

using StepOutlineReaderTest = RecordsetFixture;

TEST_F(StepOutlineReaderTest, ReadsWhatTheLabelAndOutlineSetsReadOnEveryDemoStep)
{
    // Mixed-case types and a hidden operation count as the sets count them.
    scalar(stepPath(COUPLING), "UPDATE TextRecipe SET Type = 'operation', Hide = 1 WHERE RecipeSequenceNumber = 3");
    scalar(stepPath(COUPLING), "UPDATE TextRecipe SET Type = 'UNIT PROCEDURE' WHERE RecipeSequenceNumber = 1");
    StepOutline outline;
    for (const auto& [stepID, db] : m_stepDbs) {
        ReadStepOutline(*db, stepID, outline);
        const QStringList read = describe(outline);
        EXPECT_EQ(read, describeThroughSets(stepID)) << stepID;
        EXPECT_GT(read.size(), 2) << stepID;
    }
    ReadStepOutline(*m_stepDbs.at(COUPLING), COUPLING, outline);
    EXPECT_TRUE(describe(outline).join('\n').contains("[hidden]"));
}

TEST_F(StepOutlineReaderTest, EmptyTablesAndAnotherStepsIdGiveWhatTheyHold)
{
    CDaoDatabase& coupling = *m_stepDbs.at(COUPLING);
    StepOutline outline;
    ReadStepOutline(coupling, COUPLING, outline);
    const std::vector<StepOutlineLine> lines = outline.lines;

    ReadStepOutline(coupling, SALT_FORMATION, outline); // not this file's step: the earlier lines go
    EXPECT_EQ(describe(outline), QStringList({"Coupling / 1.0"}));

    coupling.Execute("DELETE FROM Step");
    ReadStepOutline(coupling, COUPLING, outline);
    EXPECT_FALSE(outline.hasStep);
    EXPECT_EQ(outline.stepName, QString());
    EXPECT_EQ(outline.lines.size(), lines.size()) << "the outline does not depend on the step table";

    coupling.Execute("DELETE FROM TextRecipe");
    ReadStepOutline(coupling, COUPLING, outline);
    EXPECT_FALSE(outline.hasStep);
    EXPECT_TRUE(outline.lines.empty());
}

// The statements are finalised after the read; the read is the connection's first use, so it
// takes the connection's change reference: another handle's commit afterwards counts.
TEST_F(StepOutlineReaderTest, LeavesNoStatementBehindAndTakesTheChangeReference)
{
    CDaoDatabase& step = *m_stepDbs.at(SALT_FORMATION);
    StepOutline outline;
    ReadStepOutline(step, SALT_FORMATION, outline);
    EXPECT_EQ(sqlite3_next_stmt(engineOfStep(step), nullptr), nullptr);
    const quint64 before = ChangeNumber(step.GetName());
    scalar(step.GetName(), "UPDATE Step SET StepName = 'Salt'");
    EXPECT_GT(ChangeNumber(step.GetName()), before);

    CDaoDatabase closed;
    EXPECT_THROW(ReadStepOutline(closed, SALT_FORMATION, outline), CDaoException);
}
