// A new operation of every type the template's library offers, written as the recipe's insert
// writes it and closed with OK in the stand-in's operation editor on its default values: its text
// names those values (the run uses them), never the "<label> ..." of an operation without text.

#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "modules/opdialog/OPDialog.h"
#include "recipe/transitions/TransitionBuilder.h"
#include "shell/bridge/ManagedSideStandIn.h"
#include "shell/bridge/OperationEditorForm.h"

#include <QMap>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {
constexpr long NEW_TEXT_STEP = 1001;
constexpr long AGEING_VESSEL = 200, RECEIVING_VESSEL = 101;
constexpr long AGE = 1, TRANSFER = 7;

ProjectSpec twoVesselProject()
{
    ProjectSpec spec;
    spec.name = "NewTexts";
    StepSpec step;
    step.stepID = NEW_TEXT_STEP;
    step.name = "Ageing";
    RecipeLineSpec line;
    line.type = "Unit Procedure";
    line.name = "Ageing";
    line.equipmentID = AGEING_VESSEL;
    step.lines.append(line);
    line.name = "Receiving";
    line.equipmentID = RECEIVING_VESSEL;
    step.lines.append(line);
    spec.steps = {step};
    spec.equipment = {{AGEING_VESSEL, "G-200", 1, "Vessel", 2000}, {RECEIVING_VESSEL, "R-101", 1, "Reactor", 2000}};
    return spec;
}

// OK on whatever the editor shows.
struct UnchangedEditorForm : OperationEditorForm {
    std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) override { return content; }
};
} // namespace

class NewOperationTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        const ProjectSpec spec = twoVesselProject();
        ASSERT_TRUE(CProjectGenerator().Write(spec, folder));
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + "NewTexts.prj", DatabaseRole::ReadWrite);
        app.fileSet().projectDBPath = folder + "NewTexts.prj";
        app.fileSet().equipmentDBPath = folder + "NewTexts.eqm";
        app.fileSet().materialsDBPath = folder + "NewTexts.mtl";
        const QString stepPath = folder + CProjectGenerator::StepFileName(NEW_TEXT_STEP);
        auto step = std::make_unique<CDaoDatabase>();
        step->Open(stepPath, DatabaseRole::ReadWrite);
        m_step = step.get();
        app.stepDatabases().add(NEW_TEXT_STEP, std::move(step), stepPath);
        installed.Install<OperationEditorForm>(&form);
        Array<TransitionRecord> unitProcedures, operations;
        ASSERT_TRUE(CTransitionBuilder::BuildStepTransitions(NEW_TEXT_STEP, unitProcedures, operations));
    }
    long UnitProcedureNamed(const char* name)
    {
        QSqlQuery row = m_step->Query("SELECT UnitProcedureID FROM UnitProcedure WHERE UnitProcedureName = ?", {name});
        return row.next() ? long(row.value(0).toLongLong()) : -1;
    }
    // A new operation of the type in the unit procedure, as the insert writes it: its type's
    // default parameter rows and no text yet.
    long Insert(long typeID, const QString& label)
    {
        CDaoTransaction transaction(*m_step);
        const long id = WriteNewOperation(*m_step, UnitProcedureNamed("Ageing"), typeID, {label});
        transaction.Commit();
        return id;
    }
    QString StoredText(long operationID)
    {
        QSqlQuery row = m_step->Query("SELECT RecipeText FROM Operation WHERE OperationID = ?", {qlonglong(operationID)});
        return row.next() ? row.value(0).toString() : QString("no row");
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    ServiceInstallations installed;
    UnchangedEditorForm form;
    CManagedSideStandIn managed;
    CDaoDatabase* m_step = nullptr;
};

TEST_F(NewOperationTextTest, OkOnTheDefaultsOfEveryTypeWritesATextOfThem)
{
    QList<std::pair<long, QString>> types;
    QSqlQuery library = GetProjectDatabase()->Query("SELECT OperationTypeID, OperationTypeName FROM OperationsLibrary"
                                                    " ORDER BY OperationTypeID");
    while (library.next())
        types.append({long(library.value(0).toLongLong()), library.value(1).toString()});
    ASSERT_GT(types.size(), 40) << "the template's whole library";
    QMap<long, QString> named = {{AGE, "Age G-200 at 25 C for 60 min."}, {TRANSFER, "Transfer 100 kg to R-101."}};
    for (const auto& [typeID, name] : types) {
        const long operationID = Insert(typeID, name);
        QString comments;
        const std::optional<QString> text = managed.DotNetInvokeOperationDialog(NEW_TEXT_STEP, operationID, -1, &comments);
        ASSERT_TRUE(text.has_value()) << name.toStdString();
        EXPECT_FALSE(text->trimmed().isEmpty()) << name.toStdString();
        EXPECT_FALSE(text->endsWith("...")) << name.toStdString() << ": " << text->toStdString();
        EXPECT_EQ(StoredText(operationID), *text) << name.toStdString();
        if (named.contains(typeID)) {
            EXPECT_EQ(*text, named.value(typeID));
            named.remove(typeID);
        }
    }
    EXPECT_TRUE(named.isEmpty()) << "every type named above is in the library";
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join('|').toStdString();
}
