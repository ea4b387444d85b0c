// The library dialogs on a project of 200 steps of about 500 operations each, the last step alone
// using the types: the comment type dialog's Delete of a type one operation comment of the last
// step holds (every operation of every step is asked), and the range type dialog's OK deleting two
// types the last step holds ranges of, through the commit (no regeneration is installed).
// Goals: 1 s each (Release).

#include "RootedAppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "preferences/lists/CommentTypePreferencesDialog.h"
#include "preferences/lists/RangeTypePreferencesDialog.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int STEPS = 200;
constexpr int LINES_PER_STEP = 630; // about 500 operations

class AnswerYes : public PromptService {
public:
    int prompt(const QString&, unsigned, const QString&) override { return IDYES; }
};

struct LargeProject {
    QTemporaryDir root;
    RootedAppContext app{root.path(), root.filePath("instance")};
    ProjectSpec spec = CProjectGenerator::SyntheticProject(STEPS, LINES_PER_STEP);
    bool open = false;

    LargeProject()
    {
        const QString folder = root.filePath("project") + "/";
        if (!CProjectGenerator().Write(spec, folder))
            return;
        app.fileSet().projectDatabase = std::make_unique<CDaoDatabase>();
        app.fileSet().projectDatabase->Open(folder + spec.name + ".prj", DatabaseRole::WorkingCopy);
        for (const StepSpec& step : spec.steps) {
            const QString path = folder + CProjectGenerator::StepFileName(step.stepID);
            auto db = std::make_unique<CDaoDatabase>();
            db->Open(path, DatabaseRole::WorkingCopy);
            app.stepDatabases().add(step.stepID, std::move(db), path);
        }
        open = true;
    }
    CDaoDatabase& lastStep() { return *app.stepDatabases().database(spec.steps.last().stepID); }
    long lastOperation()
    {
        QSqlQuery query = lastStep().Query("SELECT max(OperationID) FROM Operation");
        return query.next() ? long(query.value(0).toLongLong()) : -1;
    }
    // Ranges of types 2 and 3 in the last step's first group.
    void addRanges()
    {
        lastStep().Execute("INSERT INTO TblRangeData (GroupID, FieldTypeID, RangeTypeID) "
                           "SELECT min(GroupID), 100001, t.value FROM TblGroupData, json_each('[2,3]') t GROUP BY t.value");
    }
    void restoreRangeTypes()
    {
        app.fileSet().projectDatabase->Execute("INSERT OR REPLACE INTO TblRangeLibrary (RangeTypeID, Description, "
                                               "\"Default\") VALUES (2, 'Proven Acceptable Range', 0), "
                                               "(3, 'Design Space', 0)");
    }
};

void BM_CommentTypeDeleteScansEveryOperation(benchmark::State& state)
{
    LargeProject project;
    if (!project.open) {
        state.SkipWithError("the project was not written");
        return;
    }
    project.lastStep().Execute("INSERT INTO TblCommentData (OperationID, CommentTypeID, CommentText) VALUES (?, 3, 'x')",
                               {qlonglong(project.lastOperation())});
    AnswerYes answers;
    ScopedPromptService prompts(&answers);
    CCommentTypePreferencesDialog dialog;
    for (auto _ : state) {
        dialog.grid()->SetCurrentCell(3, 1);
        dialog.OnDelete();
        if (dialog.grid()->GetRowCount() != 3)
            state.SkipWithError("the used type was deleted");
    }
    state.counters["steps"] = STEPS;
}

void BM_RangeTypeOkDeletesTwoUsedTypes(benchmark::State& state)
{
    LargeProject project;
    if (!project.open) {
        state.SkipWithError("the project was not written");
        return;
    }
    AnswerYes answers;
    ScopedPromptService prompts(&answers);
    for (auto _ : state) {
        state.PauseTiming();
        project.restoreRangeTypes();
        project.addRanges();
        CRangeTypePreferencesDialog dialog;
        state.ResumeTiming();
        for (int row : {2, 3}) {
            dialog.grid()->SetCurrentCell(row, 1);
            dialog.OnDelete();
        }
        dialog.OnOK();
        if (dialog.result() != QDialog::Accepted)
            state.SkipWithError("the types were not deleted");
    }
    state.counters["steps"] = STEPS;
}

} // namespace

BENCHMARK(BM_CommentTypeDeleteScansEveryOperation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RangeTypeOkDeletesTwoUsedTypes)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
