// The range and comment types of an imported step: found by name in the project (which has
// renamed and renumbered its own), added when missing, or, from a file written before types
// travelled, kept by id.

#include "ProjectFixture.h"

#include "foundation/common/ServiceSlot.h"
#include "projects/ExportStepDialog.h"
#include "projects/ImportStepDialog.h"
#include "projects/OtherProjectCopy.h"
#include "projects/StepRegistration.h"

namespace {

enum class TypeSource { ExchangeFile, FileWithoutTypes, OtherProjectStep };

struct TypeImportCase {
    const char* name;
    TypeSource source;
    const char* rangeTypes;   // the distinct type ids of the new step's ranges
    const char* commentTypes; // and of its comments
    const char* projectCommentTypes;
};

// Step 1002 of the Demo ranges under types 1 and 2 and comments under types 2 and 3. The project
// then moves "Proven Acceptable Range" to id 7 in another case, gives id 2 to a new range type and
// renames comment type 3, so that "Quality" is missing.
const char* const PROJECT_TYPE_EDITS[] = {
    ("UPDATE TblRangeLibrary SET RangeTypeID = 7, Description = 'PROVEN ACCEPTABLE range' "
     "WHERE RangeTypeID = 2"),
    "INSERT INTO TblRangeLibrary (RangeTypeID, Description, \"Default\") VALUES (2, 'Alert Range', 0)",
    "UPDATE TblCommentLibrary SET Description = 'Regulatory' WHERE CommentTypeID = 3",
};

const QString RANGE_TYPES_AFTER =
    "1:Normal Operating Range:1;2:Alert Range:0;3:Design Space:0;7:PROVEN ACCEPTABLE range:0";

const TypeImportCase TYPE_IMPORT_CASES[] = {
    {"ExchangeFile", TypeSource::ExchangeFile, "1,7", "2,4",
     "1:General:1;2:Safety:0;3:Regulatory:0;4:Quality:0"},
    {"FileWithoutTypes", TypeSource::FileWithoutTypes, "1,2", "2,3", "1:General:1;2:Safety:0;3:Regulatory:0"},
    {"OtherProjectStep", TypeSource::OtherProjectStep, "1,7", "2,4",
     "1:General:1;2:Safety:0;3:Regulatory:0;4:Quality:0"},
};

} // namespace

class RecipeTypeImportTest : public ProjectFixture, public ::testing::WithParamInterface<TypeImportCase> {
protected:
    RecipeTypeImportTest() { installed.Install<StepDatabaseRegistration>(&registration); }

    QString ExportedStep()
    {
        CExportStepDialog dialog(1002);
        dialog.m_path = root() + "types.exs";
        dialog.ExportStep();
        return dialog.m_path;
    }
    long Import(const QString& file)
    {
        CImportStepDialog dialog(1);
        dialog.m_path = file;
        dialog.ImportStep(2, -1);
        return dialog.m_newStepID.toLong();
    }
    long CopyFromOtherDemo()
    {
        const QString folder = root() + "other/Other/";
        ProjectSpec spec = CProjectGenerator::DemoProject();
        spec.name = "Other";
        CProjectGenerator generator;
        EXPECT_TRUE(generator.Write(spec, folder)) << generator.ErrorText().toStdString();
        CopyOtherStepIntoProcess(folder + "Other.prj", 1002, 2, -1, 1); // false: nothing regenerates here
        return LayerValue(app.fileSet().projectDBPath, "SELECT max(StepID) FROM ProjectStep").toLongLong();
    }
    QString StepTypes(long stepID, const QString& column, const QString& table)
    {
        return LayerValue(
                   GetStepDBPath(stepID),
                   QString("SELECT group_concat(id) FROM (SELECT DISTINCT %1 AS id FROM %2 ORDER BY 1)")
                       .arg(column, table))
            .toString();
    }
    QString ProjectTypes(const QString& table, const QString& key)
    {
        return LayerValue(app.fileSet().projectDBPath,
                          QString("SELECT group_concat(%2 || ':' || Description || ':' || \"Default\", ';') "
                                  "FROM (SELECT * FROM %1 ORDER BY %2)")
                              .arg(table, key))
            .toString();
    }

    CStepRegistration registration{app.stepDatabases()};
    ServiceInstallations installed;
};

TEST_P(RecipeTypeImportTest, TypesAreFoundByNameOrAddedUnlessTheFileCarriesNone)
{
    const TypeImportCase& test = GetParam();
    OpenDemo();
    const QString file = ExportedStep();
    EXPECT_EQ(RawQuery(file, "SELECT group_concat(Description, ';') FROM ExchangeRangeType").toString(),
              "Normal Operating Range;Proven Acceptable Range");
    EXPECT_EQ(RawQuery(file, "SELECT group_concat(Description, ';') FROM ExchangeCommentType").toString(),
              "Safety;Quality");
    if (test.source == TypeSource::FileWithoutTypes)
        for (const char* older : {"DROP TABLE ExchangeRangeType", "DROP TABLE ExchangeCommentType",
                                  "UPDATE StepExchange SET FormatVersion = 1"})
            RawQuery(file, older);
    for (const char* edit : PROJECT_TYPE_EDITS)
        EditProject(edit);
    const long stepID = test.source == TypeSource::OtherProjectStep ? CopyFromOtherDemo() : Import(file);
    ASSERT_GT(stepID, 1006) << prompts.texts().join('\n').toStdString();
    EXPECT_EQ(StepTypes(stepID, "RangeTypeID", "TblRangeData"), test.rangeTypes);
    EXPECT_EQ(StepTypes(stepID, "CommentTypeID", "TblCommentData"), test.commentTypes);
    EXPECT_EQ(LayerValue(GetStepDBPath(stepID), "SELECT count(*) FROM TblCommentData").toLongLong(),
              LayerValue(GetStepDBPath(1002), "SELECT count(*) FROM TblCommentData").toLongLong());
    EXPECT_EQ(ProjectTypes("TblRangeLibrary", "RangeTypeID"), RANGE_TYPES_AFTER);
    EXPECT_EQ(ProjectTypes("TblCommentLibrary", "CommentTypeID"), QString(test.projectCommentTypes));
}

INSTANTIATE_TEST_SUITE_P(Sources, RecipeTypeImportTest, ::testing::ValuesIn(TYPE_IMPORT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });
