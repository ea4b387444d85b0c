// The managed side's stand-in operation editor on a generated step: what it shows, Cancel and
// an unchanged OK, a stored edit, and a write the database refuses.

#include "shell/bridge/StandInOperationEditor.h"
#include "FakeAppContext.h"
#include "ScriptedPrompts.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "shell/bridge/ManagedSideStandIn.h"
#include "shell/bridge/OperationEditorDialog.h"
#include "shell/bridge/OperationEditorForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <functional>

namespace {
constexpr long EDITOR_STEP = 1001;

ProjectSpec chargingProject()
{
    ProjectSpec spec;
    spec.name = "Editing";
    StepSpec step;
    step.stepID = EDITOR_STEP;
    step.name = "Charging";
    RecipeLineSpec line;
    line.type = "Unit Procedure";
    line.name = "Vessel";
    step.lines.append(line);
    line.type = "Operation";
    line.name = "Water in";
    line.operationTypeID = 4; // Charge: duration, amount and volume
    step.lines.append(line);
    line.name = "Coupling";
    line.operationTypeID = 32; // React: a material, a reaction data set and its key component
    step.lines.append(line);
    spec.steps = {step};
    spec.materials = {{1, "Water", "Liquid", 18.015, "", true, 998.2},
                      {2, "Toluene", "Liquid", 92.14, "", true, 866.9}};
    spec.reactionDataSets = {{7, "Coupling set", {}}};
    return spec;
}

struct ScriptedEditorForm : OperationEditorForm {
    std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) override
    {
        shown = content;
        return answer ? answer(content) : std::nullopt;
    }
    std::function<std::optional<OperationEditorContent>(OperationEditorContent)> answer;
    OperationEditorContent shown;
};
} // namespace

class StandInOperationEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString folder = app.root() + "project/";
        CProjectGenerator generator;
        ASSERT_TRUE(generator.Write(chargingProject(), folder));
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + "Editing.prj", DatabaseRole::ReadWrite);
        app.fileSet().materialsDBPath = folder + "Editing.mtl";
        CloseSharedMaterialsDB();
        auto step = std::make_unique<CDaoDatabase>();
        step->Open(folder + CProjectGenerator::StepFileName(EDITOR_STEP), DatabaseRole::ReadWrite);
        m_step = step.get();
        app.stepDatabases().add(EDITOR_STEP, std::move(step), folder + CProjectGenerator::StepFileName(EDITOR_STEP));
        installed.Install<OperationEditorForm>(&form);
        QSqlQuery id = m_step->Query("SELECT OperationID FROM Operation WHERE QuorvantaLabel = 'Water in'");
        ASSERT_TRUE(id.next());
        m_operationID = long(id.value(0).toLongLong());
    }
    // Every value the editor may write, in one text.
    QString Rows()
    {
        QSqlQuery rows = m_step->Query(
            "SELECT group_concat(x, ';') FROM (SELECT COALESCE(RecipeText, 'null') || '|' || COALESCE(UserComments, 'null')"
            " || '|' || COALESCE(RangeText, 'null') AS x FROM Operation UNION ALL"
            " SELECT FieldID || '=' || DoubleValue || UOM FROM TblFieldData)");
        return rows.next() ? rows.value(0).toString() : QString();
    }
    std::optional<QString> Edit(QString* comments)
    {
        return managed.DotNetInvokeOperationDialog(EDITOR_STEP, m_operationID, -1, comments);
    }

    FakeAppContext app;
    ScriptedPromptService prompts;
    ServiceInstallations installed;
    ScriptedEditorForm form;
    CManagedSideStandIn managed;
    CDaoDatabase* m_step = nullptr;
    long m_operationID = -1;
};

// Cancel writes nothing; OK on the values as shown writes the text of them all the same (an
// operation's defaults are named as the run uses them) and keeps every value.
TEST_F(StandInOperationEditorTest, CancelWritesNothingAndAnUnchangedOkWritesTheTextOfTheValuesShown)
{
    m_step->Execute("UPDATE Operation SET RangeText = 'old range'");
    const QString before = Rows();
    QString comments = "untouched";
    form.answer = [](const OperationEditorContent&) { return std::nullopt; };
    EXPECT_EQ(Edit(&comments), std::nullopt);
    EXPECT_EQ(comments, "untouched");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(form.shown.title, "Water in");
    EXPECT_EQ(form.shown.equipment, "(none)");
    ASSERT_EQ(form.shown.fields.size(), 3);
    EXPECT_EQ(managed.notifications().last(), QString("InvokeOperationDialog 1001 %1").arg(m_operationID));

    form.answer = [](OperationEditorContent content) { return std::optional(content); };
    EXPECT_EQ(Edit(&comments), std::optional<QString>("Charge 100 kg."));
    EXPECT_EQ(comments, "");
    QSqlQuery row = m_step->Query("SELECT RecipeText, RangeText FROM Operation WHERE OperationID = ?",
                                  {qlonglong(m_operationID)});
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), "Charge 100 kg.");
    EXPECT_EQ(row.value(1).toString(), "");
    const std::optional<OperationEditorContent> after = CStandInOperationEditor::Read(*m_step, m_operationID, -1);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->fields, form.shown.fields) << "the values stay as they were";
}

TEST_F(StandInOperationEditorTest, AnEditStoresValuesGeneratedTextCommentsAndAnEmptyRangeTogether)
{
    m_step->Execute("UPDATE Operation SET RangeText = 'old range'");
    form.answer = [](OperationEditorContent content) {
        content.fields[1].value = 321.5;
        content.comments = "Slowly.";
        return std::optional(content);
    };
    QString comments;
    const std::optional<QString> text = Edit(&comments);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains("321.5")) << text->toStdString();
    EXPECT_EQ(comments, "Slowly.");
    QSqlQuery row = m_step->Query("SELECT RecipeText, UserComments, RangeText FROM Operation WHERE OperationID = ?",
                                  {qlonglong(m_operationID)});
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), *text);
    EXPECT_EQ(row.value(1).toString(), "Slowly.");
    EXPECT_EQ(row.value(2).toString(), "");
    QSqlQuery value = m_step->Query("SELECT DoubleValue FROM TblFieldData WHERE FieldID = ?",
                                    {qlonglong(form.shown.fields[1].fieldID)});
    ASSERT_TRUE(value.next());
    EXPECT_DOUBLE_EQ(value.value(0).toDouble(), 321.5);
}

TEST_F(StandInOperationEditorTest, ARefusedWriteRollsBackWithTheDatabasesMessage)
{
    const QString before = Rows();
    m_step->Execute("CREATE TEMP TRIGGER RefuseText BEFORE UPDATE ON Operation BEGIN SELECT RAISE(ABORT, 'text refused'); END");
    form.answer = [](OperationEditorContent content) {
        content.fields[0].value = 7;
        return std::optional(content);
    };
    prompts.expect(IDOK);
    QString comments = "untouched";
    EXPECT_EQ(Edit(&comments), std::nullopt);
    EXPECT_TRUE(prompts.lastText().contains("text refused"));
    EXPECT_EQ(comments, "untouched");
    EXPECT_EQ(Rows(), before) << "the changed value went back too";
    EXPECT_FALSE(m_step->InTransaction());
}

// A negative duration, amount or volume keeps the editor open with a message naming the field;
// zero is accepted.
TEST_F(StandInOperationEditorTest, TheEditorRefusesANegativeTimeAmountOrVolume)
{
    const std::optional<OperationEditorContent> content = CStandInOperationEditor::Read(*m_step, m_operationID, -1);
    ASSERT_TRUE(content.has_value());
    ASSERT_EQ(content->fields.size(), 3);
    for (int row = 0; row < 3; ++row) {
        COperationEditorDialog dialog(*content);
        auto* value = dialog.findChild<QLineEdit*>(QString("Field%1").arg(content->fields[row].fieldID));
        ASSERT_NE(value, nullptr);
        value->setText("-5");
        prompts.expect(IDOK);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << row;
        EXPECT_EQ(prompts.lastText(), "Please enter a non-negative number for " + content->fields[row].label + ".");
        value->setText("0");
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << row;
    }
    QStringList labels;
    for (const OperationEditorField& field : content->fields)
        labels << field.label;
    EXPECT_EQ(labels, (QStringList{"Duration", "Amount", "Volume"}));
}

// A text that is no storable number (an infinity, NaN, 1e35 or beyond, also once converted from
// the field's unit: 1e34 min is 6e35 s) keeps the editor open with the field's message and the
// text as typed; an emptied field is stored as unset (1e35).
TEST_F(StandInOperationEditorTest, TheEditorRefusesNoNumbersAndStoresAnEmptiedFieldAsUnset)
{
    form.answer = [this](const OperationEditorContent& content) {
        EXPECT_NE(content.fields[0].value, 1e35) << "the duration starts set";
        EXPECT_EQ(content.fields[0].uom, "min");
        COperationEditorDialog dialog(content);
        auto* duration = dialog.findChild<QLineEdit*>(QString("Field%1").arg(content.fields[0].fieldID));
        for (const char* typed : {"1e300", "-1e300", "inf", "NaN", "1e35", "1E+35", "1e34", "-2e33"}) {
            duration->setText(typed);
            prompts.expect(IDOK);
            dialog.accept();
            EXPECT_NE(dialog.result(), QDialog::Accepted) << typed;
            EXPECT_EQ(prompts.lastText(), "Please enter a number for Duration.") << typed;
            EXPECT_EQ(duration->text(), typed);
        }
        duration->clear();
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return std::optional(dialog.content());
    };
    QString comments;
    ASSERT_TRUE(Edit(&comments).has_value());
    QSqlQuery value = m_step->Query("SELECT DoubleValue FROM TblFieldData WHERE FieldID = ?",
                                    {qlonglong(form.shown.fields[0].fieldID)});
    ASSERT_TRUE(value.next());
    EXPECT_EQ(value.value(0).toDouble(), 1e35);
}

// A form that lets a negative amount through still stores nothing.
TEST_F(StandInOperationEditorTest, ANegativeAmountFromAnyFormIsNotStored)
{
    const QString before = Rows();
    form.answer = [](OperationEditorContent content) {
        content.fields[1].value = -2;
        content.comments = "Slowly.";
        return std::optional(content);
    };
    prompts.expect(IDOK);
    QString comments = "untouched";
    EXPECT_EQ(Edit(&comments), std::nullopt);
    EXPECT_EQ(prompts.lastText(), "Please enter a non-negative number for Amount.");
    EXPECT_EQ(comments, "untouched");
    EXPECT_EQ(Rows(), before);
}

// The items a type's sentence names are chosen by name from the project's libraries; OK writes the
// chosen ones like the values, and the text names them; "(none)" clears a choice again.
TEST_F(StandInOperationEditorTest, TheLibraryItemsATypeNamesAreChosenByNameAndWritten)
{
    QSqlQuery react = m_step->Query("SELECT OperationID FROM Operation WHERE QuorvantaLabel = 'Coupling'");
    ASSERT_TRUE(react.next());
    const struct {
        long operationID;
        QStringList labels;
    } shown[] = {{m_operationID, {"Material"}},
                 {long(react.value(0).toLongLong()), {"Material", "Reaction", "Key Component"}}};
    for (const auto& c : shown) {
        const std::optional<OperationEditorContent> content =
            CStandInOperationEditor::Read(*m_step, c.operationID, -1);
        ASSERT_TRUE(content.has_value());
        QStringList labels;
        for (const OperationEditorChoice& choice : content->choices)
            labels << choice.label;
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(content->choices[0].items, (QList<QPair<long, QString>>{{2, "Toluene"}, {1, "Water"}}));
        EXPECT_EQ(content->choices[0].selected, -1);
    }
    const auto choose = [this](long material) {
        form.answer = [material](OperationEditorContent content) {
            content.choices[0].selected = material;
            return std::optional(content);
        };
        QString comments;
        return Edit(&comments).value_or("nothing stored");
    };
    EXPECT_EQ(choose(1), "Charge 100 kg of Water.");
    EXPECT_EQ(CStandInOperationEditor::Read(*m_step, m_operationID, -1)->choices[0].selected, 1);
    EXPECT_EQ(choose(2), "Charge 100 kg of Toluene.");
    EXPECT_EQ(choose(-1), "Charge 100 kg.");
    QSqlQuery stored =
        m_step->Query("SELECT COUNT(*), COUNT(LongValue) FROM TblFieldData WHERE FieldTypeID = 100005");
    ASSERT_TRUE(stored.next());
    EXPECT_EQ(stored.value(0).toInt(), 1) << "one field, written again";
    EXPECT_EQ(stored.value(1).toInt(), 0);
}

// The vessel is the unit procedure's: shown as text with a tip saying where it is set, never in a
// box that takes typing; every box of the editor is a value's.
TEST_F(StandInOperationEditorTest, TheVesselIsShownAsTextWithWhereItIsSet)
{
    std::optional<OperationEditorContent> content = CStandInOperationEditor::Read(*m_step, m_operationID, -1);
    ASSERT_TRUE(content.has_value());
    content->equipment = "R-101 <b>x</b>";
    COperationEditorDialog dialog(*content);
    const auto* equipment = dialog.findChild<QLabel*>("Equipment");
    ASSERT_NE(equipment, nullptr);
    EXPECT_EQ(equipment->text(), "R-101 <b>x</b>");
    EXPECT_EQ(equipment->textFormat(), Qt::PlainText);
    EXPECT_FALSE(equipment->textInteractionFlags().testFlag(Qt::TextEditable));
    EXPECT_EQ(
        equipment->toolTip(),
        "The unit procedure's equipment: set it in the unit procedure's editor (double-click its line).");
    for (const QLineEdit* box : dialog.findChildren<QLineEdit*>())
        EXPECT_TRUE(box->objectName().startsWith("Field")) << box->objectName().toStdString();
}
