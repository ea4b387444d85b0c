#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/LanguageDatabaseService.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/ChangeTracking.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "shell/bridge/ManagedProcessOperation.h"
#include "shell/bridge/ManagedSideStandIn.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
constexpr long STEP = 1001;

ProjectSpec oneOperationProject()
{
    ProjectSpec spec;
    spec.name = "Texts";
    StepSpec step;
    step.stepID = STEP;
    step.name = "Charging";
    RecipeLineSpec line;
    line.type = "Unit Procedure";
    line.name = "Vessel";
    step.lines.append(line);
    line.type = "Operation";
    line.name = "Water in";
    line.operationTypeID = 4; // Charge
    step.lines.append(line);
    spec.steps = {step};
    return spec;
}

struct OptionsCase {
    int ranges, addSpace;
    const char* text;
    const char* german;
};
} // namespace

// The stand-in behind the real process-operation call and the real regeneration, on a generated
// project whose one operation carries known fields (an unset one and one of an unknown type among
// them) and ranges.
class StandInRecipeTextTest : public ::testing::TestWithParam<OptionsCase> {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(oneOperationProject(), folder));
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + "Texts.prj", DatabaseRole::ReadWrite);
        auto step = std::make_unique<CDaoDatabase>();
        step->Open(folder + CProjectGenerator::StepFileName(STEP), DatabaseRole::ReadWrite);
        m_step = step.get();
        app.stepDatabases().add(STEP, std::move(step), folder + CProjectGenerator::StepFileName(STEP));
        installed.Install<IManagedSide>(&managed);
        installed.Install<ProcessOperationService>(&processing);
        installed.Install<RecipeTextRegeneration>(&regenerator);
        m_step->Execute("DELETE FROM TblFieldData");
        m_step->Execute("DELETE FROM TblRangeData");
        m_step->Execute("INSERT INTO TblFieldData (GroupID, SubGroupIndex, FieldTypeID, DoubleValue, LongValue, UOM) "
                        "SELECT GroupID, 1, 100002, 250, NULL, 'kg' FROM TblGroupData UNION ALL "
                        "SELECT GroupID, 1, 100001, 1e35, NULL, 'min' FROM TblGroupData UNION ALL "
                        "SELECT GroupID, 2, 100099, 1e35, 3, 'rpm' FROM TblGroupData");
        m_step->Execute("INSERT INTO TblRangeData (GroupID, FieldTypeID, RangeTypeID, Low, LowUOM, High, HighUOM) "
                        "SELECT GroupID, 100004, 1, 20, 'C', 30, 'C' FROM TblGroupData UNION ALL "
                        "SELECT GroupID, 100001, 2, 5, 'min', 9, 'min' FROM TblGroupData");
    }
    void SetOption(const char* option, int value)
    {
        app.fileSet().projectDatabase->Execute("DELETE FROM TextRecipeOptions WHERE Options = ?", {option});
        app.fileSet().projectDatabase->Execute("INSERT INTO TextRecipeOptions (Options, Value) VALUES (?, ?)",
                                               {option, value});
    }
    QString RecipeText()
    {
        QSqlQuery query = m_step->Query("SELECT RecipeText FROM Operation WHERE QuorvantaLabel = 'Water in'");
        return query.next() ? query.value(0).toString() : QString("no row");
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    CManagedSideStandIn managed;
    CManagedProcessOperation processing{nullptr};
    CRecipeTextRegenerator regenerator;
    ServiceInstallations installed;
    CDaoDatabase* m_step = nullptr;
};

// A converted step's regeneration (the open's call) now succeeds and stores each operation's text
// (an unset value and a field the type's sentence does not name are left out; only the ranges of
// the chosen range type are listed);
// the options are read again only after the step-wise cache was reset. Only a changed text is
// written: the step's working copy then counts no change.
TEST_P(StandInRecipeTextTest, TheOperationTextIsBuiltFromItsTypeLabelFieldsAndTheOptions)
{
    SetOption("Ranges", GetParam().ranges);
    SetOption("AddSpace", GetParam().addSpace);
    ASSERT_TRUE(RegenerateStepRecipeText(STEP));
    EXPECT_EQ(RecipeText(), GetParam().text);
    const QString first = RecipeText();
    QSqlQuery ids = m_step->Query("SELECT OperationID FROM Operation WHERE QuorvantaLabel = 'Water in'");
    ASSERT_TRUE(ids.next());
    const long operationID = long(ids.value(0).toLongLong());
    ids.finish(); // a statement still running on the step counts as a change
    SetOption("Ranges", 1 - GetParam().ranges);
    const quint64 unchanged = ChangeNumber(m_step->GetName());
    ASSERT_TRUE(ProcessOperation(STEP, operationID));
    EXPECT_EQ(RecipeText(), first) << "the options are kept until the cache is reset";
    EXPECT_EQ(ChangeNumber(m_step->GetName()), unchanged) << "the same text is not written again";
    ResetStepWiseCache();
    ASSERT_TRUE(ProcessOperation(STEP, operationID));
    EXPECT_NE(RecipeText(), first);
    EXPECT_GT(ChangeNumber(m_step->GetName()), unchanged);
    EXPECT_FALSE(ProcessOperation(STEP, 999999)) << "an unknown operation stores nothing";
    EXPECT_TRUE(prompts.texts().isEmpty());
}

// The sentence and the fixed words follow the open language database, read again after the cache
// is reset.
TEST_P(StandInRecipeTextTest, TheFixedWordsComeFromTheOpenLanguageDatabase)
{
    struct GermanWords : LanguageDatabaseService {
        CDaoDatabase* LanguageDatabase() const override { return database.get(); }
        std::unique_ptr<CDaoDatabase> database;
    } language;
    const QString path = app.root() + "QVDeutsch.lng";
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, path));
    {
        CDaoDatabase writer;
        writer.Open(path);
        writer.Execute("UPDATE RecipeTextWord SET WordText = CASE WordKey WHEN 'Not Set' THEN 'nicht gesetzt' "
                       "WHEN 'Ranges' THEN 'Bereiche' WHEN 'To' THEN 'bis' ELSE WordText END");
        writer.Execute("UPDATE LanguageInfo SET LanguageName = 'Deutsch'");
    }
    language.database = std::make_unique<CDaoDatabase>();
    language.database->Open(path, DatabaseRole::ReadOnly);
    installed.Install<LanguageDatabaseService>(&language);
    SetOption("Ranges", GetParam().ranges);
    SetOption("AddSpace", GetParam().addSpace);
    ResetStepWiseCache();
    ASSERT_TRUE(RegenerateStepRecipeText(STEP));
    EXPECT_EQ(RecipeText(), GetParam().german);
}

INSTANTIATE_TEST_SUITE_P(
    Options, StandInRecipeTextTest,
    ::testing::Values(OptionsCase{0, 1, "Charge 250 kg.", "250 kg einfüllen."},
                      OptionsCase{1, 0, "Charge 250 kg.\nRanges: Temperature 20 C to 30 C.",
                                  "250 kg einfüllen.\nBereiche: Temperature 20 C bis 30 C."},
                      OptionsCase{1, 1, "Charge 250 kg.\n\nRanges: Temperature 20 C to 30 C.",
                                  "250 kg einfüllen.\n\nBereiche: Temperature 20 C bis 30 C."}));

// The stand-in's process-operation call behind the real service on every step of the Demo, its
// equipment library known and its ranges option on: operations regenerated together against one
// after the other.
class StandInRecipeTextBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        const ProjectSpec spec = CProjectGenerator::DemoProject();
        ASSERT_TRUE(CProjectGenerator().Write(spec, folder));
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::ReadWrite);
        app.fileSet().equipmentDBPath = folder + spec.name + ".eqm"; // the tags transfers name
        app.fileSet().projectDatabase->Execute("DELETE FROM TextRecipeOptions WHERE Options = 'Ranges'");
        app.fileSet().projectDatabase->Execute("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('Ranges', 1)");
        for (const StepSpec& step : spec.steps) {
            auto database = std::make_unique<CDaoDatabase>();
            database->Open(folder + CProjectGenerator::StepFileName(step.stepID), DatabaseRole::ReadWrite);
            app.stepDatabases().add(step.stepID, std::move(database),
                                    folder + CProjectGenerator::StepFileName(step.stepID));
            stepIDs << step.stepID;
        }
        installed.Install<IManagedSide>(&managed);
        installed.Install<ProcessOperationService>(&processing);
    }
    // The step's operation ids in recipe order, and their stored texts.
    QList<long> Operations(long stepID)
    {
        QList<long> ids;
        QSqlQuery query = GetStepDatabase(stepID)->Query(
            "SELECT ID FROM TextRecipe WHERE Type = 'Operation' ORDER BY RecipeSequenceNumber");
        while (query.next())
            ids << long(query.value(0).toLongLong());
        return ids;
    }
    QStringList Texts(long stepID, const QList<long>& ids)
    {
        QStringList texts;
        for (const long id : ids) {
            QSqlQuery query =
                GetStepDatabase(stepID)->Query("SELECT RecipeText FROM Operation WHERE OperationID = ?", {qlonglong(id)});
            texts << (query.next() ? query.value(0).toString() : QString("no row"));
        }
        return texts;
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    CManagedSideStandIn managed;
    CManagedProcessOperation processing{nullptr};
    ServiceInstallations installed;
    QList<long> stepIDs;
};

// Together, every operation gets the text it gets alone (fields and ranges in group order, a
// transfer naming the next unit procedure's equipment or leaving the step); only the texts that
// differ from the stored ones are written and answered, and an unknown operation is passed over.
TEST_F(StandInRecipeTextBatchTest, TogetherEachOperationGetsTheTextItGetsAlone)
{
    int transfers = 0;
    for (const long stepID : std::as_const(stepIDs)) {
        const QList<long> ids = Operations(stepID);
        ASSERT_FALSE(ids.isEmpty()) << stepID;
        GetStepDatabase(stepID)->Execute("UPDATE Operation SET RecipeText = NULL");
        for (const long id : ids)
            ASSERT_TRUE(ProcessOperation(stepID, id));
        const QStringList alone = Texts(stepID, ids);
        transfers += int(alone.filter(QRegularExpression("^Transfer.* (to|out of the step)")).size());
        GetStepDatabase(stepID)->Execute("UPDATE Operation SET RecipeText = 'stale' WHERE OperationID <> ?",
                                         {qlonglong(ids.first())});
        const QList<long> changed = ProcessOperations(stepID, QList<long>{999999} + ids);
        EXPECT_EQ(Texts(stepID, ids), alone) << stepID;
        EXPECT_EQ(changed, ids.mid(1)) << stepID;
    }
    EXPECT_GE(transfers, 2) << "the Demo's transfers name where they go";
    EXPECT_TRUE(prompts.texts().isEmpty());
}
