// The Information command's follow-ups: operation lines made again after a pending change,
// result windows retitled only by a rename, and the equipment handed to the operation editor.

#include "ProcessTreeCreateFixture.h"

#include "foundation/common/concerns/FacilityExplorer.h"
#include "foundation/common/concerns/OperationEditorService.h"
#include "foundation/common/concerns/ProcessOperationService.h"
#include "foundation/db/connection/DaoDatabase.h"

#include <QDir>
#include <QSqlQuery>
#include <QTreeWidget>

namespace {
// Regenerates an operation's text as "Regenerated <id>", or empties it for the one chosen, and
// records the calls among the pane's other calls.
class RegeneratingOperations : public ProcessOperationService {
public:
    explicit RegeneratingOperations(QStringList& calls) : m_calls(calls) {}
    bool ProcessOperation(long stepID, long operationID) override
    {
        m_calls << QStringLiteral("process %1").arg(operationID);
        const QString text = operationID == blankID ? QString() : QStringLiteral("Regenerated %1").arg(operationID);
        GetStepDatabase(stepID)->Execute(QStringLiteral("UPDATE Operation SET RecipeText = ? WHERE OperationID = ?"),
                                         {text, qlonglong(operationID)});
        return true;
    }
    void ResetStepWiseCache() override { m_calls << QStringLiteral("reset cache"); }
    long blankID = -1;

private:
    QStringList& m_calls;
};

// The operations of the step in recipe order: "process <id>" and its line as the stored row gives it.
QStringList RegeneratedLines(long stepID)
{
    QSqlQuery rows = GetStepDatabase(stepID)->Query(
        QStringLiteral("SELECT t.ID, o.RecipeText, o.QuorvantaLabel FROM TextRecipe t JOIN Operation o"
                       " ON o.OperationID = t.ID WHERE t.Type = 'Operation' ORDER BY t.RecipeSequenceNumber"));
    QStringList calls{QStringLiteral("reset cache")};
    while (rows.next()) {
        const QString text = rows.value(1).toString().isEmpty() ? rows.value(2).toString() + " ..." : rows.value(1).toString();
        calls << QStringLiteral("process %1").arg(rows.value(0).toLongLong())
              << QStringLiteral("line %1 %2 2 %3").arg(stepID).arg(rows.value(0).toLongLong()).arg(text);
    }
    return calls;
}

long FirstOperationID(long stepID)
{
    QSqlQuery row = GetStepDatabase(stepID)->Query(
        QStringLiteral("SELECT ID FROM TextRecipe WHERE Type = 'Operation' ORDER BY RecipeSequenceNumber LIMIT 1"));
    return row.next() ? long(row.value(0).toLongLong()) : -1;
}

struct LineRegenerationCase {
    const char* name;
    bool pendingBefore; // a change of an earlier edit not yet committed
    bool saved;
    bool regenerated;
};

const LineRegenerationCase kLineRegenerations[] = {
    {"SavedEdit", false, true, true},
    {"CancelAfterAnEarlierChange", true, false, true},
    {"Cancel", false, false, false},
};

class StepLineRegeneration : public ProcessTreeCreateFixture,
                             public ::testing::WithParamInterface<LineRegenerationCase> {};
} // namespace

// Every operation is processed, read again and its line passed on, the first one with an empty
// text as its label and " ...".
TEST_P(StepLineRegeneration, APendingChangeMakesEveryOperationLineAgain)
{
    const LineRegenerationCase& c = GetParam();
    OpenProject();
    RegeneratingOperations operations(concerns.calls);
    operations.blankID = FirstOperationID(COUPLING);
    ProcessOperationService* previous = SetProcessOperationService(&operations);
    Select({1, 0}); // Coupling in the second process
    if (c.pendingBefore)
        SetPendingProjectChange();
    dialogs.stepAnswers << [saved = c.saved](StepForm&) { return saved; };
    tree.OnInformation();
    SetProcessOperationService(previous);
    const QStringList regeneration =
        concerns.calls.filter(QRegularExpression(QStringLiteral("^(process|line|reset cache)")));
    EXPECT_EQ(regeneration, c.regenerated ? RegeneratedLines(COUPLING) : QStringList());
    EXPECT_EQ(regeneration.size(), c.regenerated ? 21 : 0) << "ten operations";
    EXPECT_FALSE(IsProjectChangePending());
    EXPECT_EQ(concerns.calls.contains(QStringLiteral("stepModified 1001")), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, StepLineRegeneration, ::testing::ValuesIn(kLineRegenerations),
                         [](const auto& info) { return std::string(info.param.name); });

// Schedules of Coupling, Crystallization and the second process (its file named in lower case): a
// step or process keeps the titles of its result windows unless its label changed (a case-only
// process rename changes it).
TEST_F(ProcessTreeCreateFixture, ResultWindowsAreRetitledOnlyWhenTheLabelChanges)
{
    OpenProject();
    FakeResultWindow coupling("QVSTEP_1001.mdb"), crystallization("QVSTEP_1002.mdb"), process("qvproc_2.MDB");
    host.resultWindows = {&coupling, &crystallization, &process};
    const struct {
        std::initializer_list<int> node;
        const char* name;
        const char* titles; // of the three windows afterwards
    } cases[] = {
        {{0, 0}, "Coupling", "||"},
        {{0, 0}, "Coupling B", "Schedule: Coupling B (1.0)||"},
        {{1}, "Amidol", "||"},
        {{1}, "AMIDOL", "||Schedule: Process - AMIDOL (Hydrochloride)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (FakeResultWindow* window : host.resultWindows)
            window->title.clear();
        Select(c.node);
        const QString name = QString::fromLatin1(c.name);
        if (c.node.size() == 1)
            dialogs.processAnswers << [name](ProcessForm& form) { return form.name = name, true; };
        else
            dialogs.stepAnswers << [name](StepForm& form) { return form.name = name, true; };
        tree.OnInformation();
        EXPECT_EQ(QStringList({coupling.title, crystallization.title, process.title}).join('|').toStdString(),
                  std::string(c.titles));
    }
    EXPECT_EQ(Node({1, 0})->text(0), "Coupling B (1.0)");
    EXPECT_EQ(Node({1})->text(0), "AMIDOL (Hydrochloride)");
}

namespace {
class LastEquipment : public OperationEditorService {
public:
    void SetLastPrimaryEquipmentID(long equipmentID) override { last = equipmentID; }
    long GetLastPrimaryEquipmentID() const override { return last; }
    long last = -7;
};
} // namespace

// An operation without recipe text gets its unit procedure's equipment: none set, no row, or a
// table that cannot be opened, which ends the command before the editor.
TEST_F(ProcessTreeCreateFixture, ANewOperationsEquipmentWithoutAUsableUnitProcedure)
{
    const struct {
        const char* name;
        const char* unitProcedureChange; // %1: the unit procedure id
        long equipment;                  // handed to the editor; -7: the editor is not run
        const char* messages; // shown, "|" between
    } cases[] = {
        {"no equipment", "UPDATE UnitProcedure SET PrimaryEquipmentID = NULL WHERE UnitProcedureID = %1", -1, ""},
        {"no row", "DELETE FROM UnitProcedure WHERE UnitProcedureID = %1", -1, ""},
        {"no table", "DROP TABLE UnitProcedure", -7, "no such table: main.UnitProcedure|Can't open Unit Procedure table!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenProject();
        LastEquipment equipment;
        SetOperationEditorService(&equipment);
        const long unitProcedureID = long(Node({0, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
        const long operationID = long(Node({0, 0, 0, 0})->data(0, NODE_ID_ROLE).toLongLong());
        EditStep(COUPLING, QStringLiteral("UPDATE Operation SET RecipeText = '' WHERE OperationID = %1").arg(operationID));
        EditStep(COUPLING, QString::fromLatin1(c.unitProcedureChange).replace("%1", QString::number(unitProcedureID)));
        long handed = -7;
        tree.SetRecipeItemEditors({}, [&](long, long) { return handed = GetLastPrimaryEquipmentID(), false; });
        Select({0, 0, 0, 0});
        prompts.clear();
        const QString messages = QString::fromLatin1(c.messages);
        for (int i = 0; !messages.isEmpty() && i <= messages.count('|'); ++i)
            prompts.expect(IDOK);
        tree.OnInformation();
        SetOperationEditorService(nullptr);
        EXPECT_EQ(handed, c.equipment);
        EXPECT_EQ(prompts.texts().join('|'), messages);
        EXPECT_TRUE(concerns.calls.isEmpty()) << concerns.calls.join(", ").toStdString();
        app.stepDatabases().clear();
        app.fileSet().projectDatabase.reset();
        QDir(app.root() + "project/").removeRecursively();
        QDir(app.root() + "wc/").removeRecursively();
    }
}
