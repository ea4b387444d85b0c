// Where a transfer's text says its contents go, with the program's own composer: by the step's
// unit-procedure transitions (the Demo's Crystallization has an Or block before its isolation), and
// named again at once when a vessel it names is set, also one made since the names were read. A new
// operation of any type closed with OK on its defaults names them, as the run uses them.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/edit/RecipeItemEditors.h"
#include "recipe/edit/RecipeTextRegenerator.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "shell/bridge/ManagedProcessOperation.h"
#include "shell/bridge/ManagedSideStandIn.h"
#include "shell/bridge/OperationEditorForm.h"

#include <QMap>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
constexpr long DEMO_CRYSTALLIZATION = 1002;
constexpr long NEW_TAG_ID = 9001;

// Changes the transfer's amount on OK, or nothing.
struct AmountEditorForm : OperationEditorForm {
    std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) override
    {
        OperationEditorContent edited = content;
        for (OperationEditorField& field : edited.fields) {
            if (field.label == "Amount" && changeAmount)
                field.value = 95;
        }
        return edited;
    }
    bool changeAmount = true;
};
} // namespace

class TransferDestinationTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        const ProjectSpec demo = CProjectGenerator::DemoProject();
        ASSERT_TRUE(CProjectGenerator().Write(demo, folder));
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + demo.name + ".prj", DatabaseRole::ReadWrite);
        app.fileSet().projectDBPath = folder + demo.name + ".prj";
        app.fileSet().equipmentDBPath = folder + demo.name + ".eqm";
        app.fileSet().materialsDBPath = folder + demo.name + ".mtl";
        const QString stepPath = folder + CProjectGenerator::StepFileName(DEMO_CRYSTALLIZATION);
        auto step = std::make_unique<CDaoDatabase>();
        step->Open(stepPath, DatabaseRole::ReadWrite);
        m_step = step.get();
        app.stepDatabases().add(DEMO_CRYSTALLIZATION, std::move(step), stepPath);
        installed.Install<IManagedSide>(&managed);
        installed.Install<ProcessOperationService>(&processing);
        installed.Install<RecipeTextRegeneration>(&regenerator);
        installed.Install<OperationEditorForm>(&form);
    }
    // The stored texts of the step's transfers in recipe order.
    QStringList Transfers()
    {
        QSqlQuery rows =
            m_step->Query("SELECT o.RecipeText FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID"
                          " WHERE t.Type = 'Operation' AND o.OperationTypeID = 7"
                          " ORDER BY t.RecipeSequenceNumber");
        QStringList texts;
        while (rows.next())
            texts << rows.value(0).toString();
        return texts;
    }
    long UnitProcedureNamed(const char* name)
    {
        QSqlQuery row =
            m_step->Query("SELECT UnitProcedureID FROM UnitProcedure WHERE UnitProcedureName = ?", {name});
        return row.next() ? long(row.value(0).toLongLong()) : -1;
    }
    void BuildTransitionsAndRegenerate()
    {
        Array<TransitionRecord> unitProcedures, operations;
        ASSERT_TRUE(
            CTransitionBuilder::BuildStepTransitions(DEMO_CRYSTALLIZATION, unitProcedures, operations));
        ASSERT_TRUE(RegenerateStepRecipeText(DEMO_CRYSTALLIZATION));
    }
    // A vessel made after the composer read the names, set on the unit procedure as a store would.
    void SetNewVessel(long unitProcedureID, const char* tag)
    {
        CDaoDatabase equipment;
        equipment.Open(app.fileSet().equipmentDBPath, DatabaseRole::ReadWrite);
        equipment.Execute(
            "INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, PlantID) VALUES (?, ?, 1)",
            {qlonglong(NEW_TAG_ID), tag});
        equipment.Close();
        m_step->Execute("UPDATE UnitProcedure SET PrimaryEquipmentID = ? WHERE UnitProcedureID = ?",
                        {qlonglong(NEW_TAG_ID), qlonglong(unitProcedureID)});
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    CManagedSideStandIn managed;
    CManagedProcessOperation processing{nullptr};
    CRecipeTextRegenerator regenerator;
    AmountEditorForm form;
    ServiceInstallations installed;
    CDaoDatabase* m_step = nullptr;
};

// Into the Or block: its choices; from each branch: the unit procedure after the block; into a
// Parallel block: its branches.
TEST_F(TransferDestinationTextTest, ATransferNamesWhereItGoesByTheTransitions)
{
    BuildTransitionsAndRegenerate();
    EXPECT_EQ(Transfers(), (QStringList{"Transfer 100 kg to R-101 or R-102.", "Transfer 100 kg to C-201.",
                                        "Transfer 100 kg to C-201."}));
    m_step->Execute("UPDATE TextRecipe SET Type = replace(Type, ' Or', ' Parallel') WHERE Type LIKE '% Or'");
    BuildTransitionsAndRegenerate();
    EXPECT_EQ(Transfers().value(0), "Transfer 100 kg to R-101 and R-102.");
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('|').toStdString();
}

// Setting the isolation's vessel (an item made since the names were read) names it at once in the
// transfers of both branches, which go to it.
TEST_F(TransferDestinationTextTest, SettingAVesselNamesItInTheTransfersIntoIt)
{
    BuildTransitionsAndRegenerate();
    SetNewVessel(UnitProcedureNamed("Isolation on C-201"), "C-202");
    RegenerateTextsNamingUnitProcedure(DEMO_CRYSTALLIZATION, UnitProcedureNamed("Isolation on C-201"));
    EXPECT_EQ(Transfers(), (QStringList{"Transfer 100 kg to R-101 or R-102.", "Transfer 100 kg to C-202.",
                                        "Transfer 100 kg to C-202."}));
}

// The editor's OK composes the destination with the names as they are now: a vessel made since the
// names were read is named at once.
TEST_F(TransferDestinationTextTest, TheEditorsOkNamesAVesselMadeSinceTheNamesWereRead)
{
    BuildTransitionsAndRegenerate();
    SetNewVessel(UnitProcedureNamed("Isolation on C-201"), "G-200");
    QSqlQuery row =
        m_step->Query("SELECT o.OperationID FROM Operation o JOIN UnitProcedure u USING (UnitProcedureID)"
                      " WHERE o.OperationTypeID = 7 AND u.UnitProcedureName = 'Crystallization in R-102'");
    ASSERT_TRUE(row.next());
    const long transfer = long(row.value(0).toLongLong());
    row.finish();
    QString comments;
    EXPECT_EQ(managed.DotNetInvokeOperationDialog(DEMO_CRYSTALLIZATION, transfer, -1, &comments),
              std::optional<QString>("Transfer 95 kg to G-200."));
}

// Every type of the library, written as the recipe's insert writes it (its type's default rows, no
// text) in the Or block's second branch and closed with OK unchanged: a text of its defaults,
// never the "<label> ..." of an operation without one.
TEST_F(TransferDestinationTextTest, OkOnANewOperationsDefaultsWritesTheTextOfThem)
{
    BuildTransitionsAndRegenerate();
    form.changeAmount = false;
    const long branch = UnitProcedureNamed("Crystallization in R-102");
    QMap<long, QString> named = {{1, "Age R-102 at 25 C for 60 min."}, {7, "Transfer 100 kg to C-201."}};
    QSqlQuery library = GetProjectDatabase()->Query("SELECT OperationTypeID, OperationTypeName FROM OperationsLibrary");
    int types = 0;
    while (library.next()) {
        const long typeID = long(library.value(0).toLongLong());
        const std::string name = library.value(1).toString().toStdString();
        CDaoTransaction transaction(*m_step);
        const long operationID = WriteNewOperation(*m_step, branch, typeID, {library.value(1).toString()});
        transaction.Commit();
        QString comments;
        const std::optional<QString> text =
            managed.DotNetInvokeOperationDialog(DEMO_CRYSTALLIZATION, operationID, -1, &comments);
        ASSERT_TRUE(text.has_value()) << name;
        EXPECT_FALSE(text->trimmed().isEmpty() || text->endsWith("...")) << name << ": " << text->toStdString();
        QSqlQuery stored = m_step->Query("SELECT RecipeText FROM Operation WHERE OperationID = ?", {qlonglong(operationID)});
        EXPECT_TRUE(stored.next() && stored.value(0).toString() == *text) << name;
        if (named.contains(typeID)) {
            EXPECT_EQ(*text, named.take(typeID));
        }
        ++types;
    }
    EXPECT_GT(types, 40) << "the template's whole library";
    EXPECT_TRUE(named.isEmpty());
}
