// An operation's data copied to another operation of the same step: the groups, fields, ranges
// and recipe text, and the names that must stay unique within the step.

#include "DemoSteps.h"
#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "recipe/edit/OperationRecipeCopy.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
struct UniqueNameCase {
    const char* name;
    bool keepNames;
    bool numberedTaken; // "Batch A (1)" is held by another operation of the step already
    const char* copied;
};

const UniqueNameCase kUniqueNames[] = {
    {"KeepNames", true, false, "Batch A"},
    {"KeepNamesBesideANumberedOne", true, true, "Batch A"},
    {"FirstFreeNumber", false, false, "Batch A (1)"},
    {"NextFreeNumber", false, true, "Batch A (2)"},
};

class OperationRecipeCopyTest : public ::testing::TestWithParam<UniqueNameCase> {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), folder)) << generator.ErrorText().toStdString();
        const QString path = folder + CProjectGenerator::StepFileName(COUPLING_STEP);
        auto database = std::make_unique<CDaoDatabase>();
        database->Open(path, DatabaseRole::ReadWrite);
        app.stepDatabases().add(COUPLING_STEP, std::move(database), path);
    }
    CDaoDatabase& Step() { return *GetStepDatabase(COUPLING_STEP); }
    QString Text(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query = Step().Query(sql, values);
        return query.next() ? query.value(0).toString() : QStringLiteral("(none)");
    }
    // The operation's parameter rows without their own ids.
    QString Parameters(long operationID)
    {
        return Text("SELECT group_concat(row, ' ') FROM (SELECT g.GroupTypeID || ':' || g.GroupIndex || ':' ||"
                    " COALESCE(f.FieldTypeID, '') || '=' || COALESCE(f.DoubleValue, '') || COALESCE(f.UOM, '') ||"
                    " COALESCE(f.StringValue, '') AS row FROM TblGroupData g LEFT JOIN TblFieldData f"
                    " ON f.GroupID = g.GroupID WHERE g.OperationID = ? ORDER BY g.GroupID, f.FieldID)",
                    {qlonglong(operationID)}) +
               " / " +
               Text("SELECT group_concat(r.Low || '-' || r.High || r.HighUOM, ' ') FROM TblRangeData r JOIN"
                    " TblGroupData g ON g.GroupID = r.GroupID WHERE g.OperationID = ?",
                    {qlonglong(operationID)});
    }
    // The operation of the recipe line whose text starts so.
    long OperationOf(const char* textStart)
    {
        return Text("SELECT OperationID FROM Operation WHERE RecipeText LIKE ?", {QString(textStart) + "%"}).toLong();
    }
    void AddUniqueName(long operationID, const QString& value)
    {
        Step().Execute("INSERT INTO TblFieldData (GroupID, FieldTypeID, StringValue) SELECT MIN(GroupID), 100033, ?"
                       " FROM TblGroupData WHERE OperationID = ?",
                       {value, qlonglong(operationID)});
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
};
} // namespace

TEST_P(OperationRecipeCopyTest, UniqueNamesWithinOneStep)
{
    const UniqueNameCase& c = GetParam();
    const long source = OperationOf("Charge 800 kg");
    AddUniqueName(source, "Batch A");
    if (c.numberedTaken)
        AddUniqueName(OperationOf("Charge 186 kg"), "Batch A (1)");
    Step().Execute("INSERT INTO Operation (OperationID, UnitProcedureID, OperationTypeID, QuorvantaLabel)"
                   " SELECT MAX(OperationID) + 1, NULL, NULL, 'Copy' FROM Operation");
    const long copy = Text("SELECT MAX(OperationID) FROM Operation").toLong();

    ASSERT_EQ(CopyOperationRecipe(COUPLING_STEP, source, COUPLING_STEP, copy, c.keepNames), 1);
    EXPECT_EQ(Text("SELECT StringValue FROM TblFieldData f JOIN TblGroupData g USING (GroupID)"
                   " WHERE g.OperationID = ? AND f.FieldTypeID = 100033",
                   {qlonglong(copy)})
                  .toStdString(),
              c.copied);
    Step().Execute("UPDATE TblFieldData SET StringValue = 'Batch A' WHERE FieldTypeID = 100033 AND GroupID IN"
                   " (SELECT GroupID FROM TblGroupData WHERE OperationID = ?)",
                   {qlonglong(copy)});
    EXPECT_EQ(Parameters(copy), Parameters(source));
    EXPECT_NE(Parameters(source).indexOf("790.0-810.0kg"), -1) << Parameters(source).toStdString();
    EXPECT_EQ(Text("SELECT RecipeText FROM Operation WHERE OperationID = ?", {qlonglong(copy)}),
              "Charge 800 kg of Toluene to R-101.\nRanges: Amount 790 kg to 810 kg.");
    EXPECT_EQ(Text("SELECT COUNT(*) FROM TblGroupData WHERE OpGroupID IS NOT NULL"), "0");
    EXPECT_TRUE(prompts.texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, OperationRecipeCopyTest, ::testing::ValuesIn(kUniqueNames),
                         [](const auto& info) { return std::string(info.param.name); });
