// A production plan's text file as the Production Plan dialog imports it (UTF-16LE, tabs between
// cells), into the sample Demo's weekly plan: the rows pasted into the grid, every pasted date that
// reads is written in the user's format and reads back the same; OK checks the rows and saves the
// plan in one transaction, and a saved plan loads again with as many rows.
// One dialog serves every input: it loads once, and after each input its grid, current cell and
// result go back to the loaded state and a saved plan's rows are written back.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "planning/PlanGridRow.h"
#include "planning/ProductionPlanDialog.h"

#include <QDir>
#include <QFile>
#include <QListWidget>

namespace {

constexpr long PLAN = 1;
const QStringList PLAN_TABLES = {"ProductionPlan", "PlanRequirements", "SharedExclusiveEquipment",
                                 "\"ProductionPlan-To-Project\""};

// The weekly plan's rows as the sample holds them, kept in temporary tables of the project's
// connection once the dialog has loaded, and written back after an input saved.
void KeepPlanRows()
{
    for (int i = 0; i < PLAN_TABLES.size(); ++i)
        GetProjectDatabase()->Execute(QString("CREATE TEMP TABLE fuzz_plan_%1 AS SELECT * FROM %2 WHERE PlanID = %3")
                                          .arg(i).arg(PLAN_TABLES.at(i)).arg(PLAN));
}

void RestorePlan()
{
    CDaoDatabase& project = *GetProjectDatabase();
    for (int i = 0; i < PLAN_TABLES.size(); ++i) {
        project.Execute(QString("DELETE FROM %1 WHERE PlanID = %2").arg(PLAN_TABLES.at(i)).arg(PLAN));
        project.Execute(QString("INSERT INTO %1 SELECT * FROM temp.fuzz_plan_%2").arg(PLAN_TABLES.at(i)).arg(i));
    }
}

int FilledRows(const CQVGridWnd& grid)
{
    int rows = 0;
    for (int row = 1; row <= grid.GetRowCount(); ++row) {
        for (int col = 1; col <= grid.GetColCount(); ++col) {
            if (!grid.GetValueRowCol(row, col).trimmed().isEmpty()) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

void CheckDates(const CQVGridWnd& grid)
{
    for (int row = 1; row <= grid.GetRowCount(); ++row) {
        const QString cell = grid.GetValueRowCol(row, PLAN_COL_START);
        if (cell.trimmed().isEmpty())
            continue;
        const QDateTime when = CQVGridWnd::ReadPlanDateTime(cell);
        if (when.isValid() && CQVGridWnd::ReadPlanDateTime(CQVGridWnd::FormatPlanDateTime(when)) != when)
            FuzzFailure("a plan date read back from its written form differs: " + cell);
    }
}

// The dialog as the weekly plan loads, kept for the process.
struct LoadedPlan {
    CProductionPlanDialog dialog{PLAN};
    int rows = 0;         // the grid's rows after the load
    int firstFreeRow = 0; // the first row the load left blank, where an import pastes
};

// A save prunes the chosen shared equipment to what the campaigns use, and no reset reaches that
// list: the plan must start without any, so that every save starts from the same choice.
void CheckNoSharedEquipment(const LoadedPlan& plan)
{
    const auto* equipment = plan.dialog.findChild<QListWidget*>(QStringLiteral("1034"));
    if (!plan.dialog.ChosenEquipment().isEmpty() || !equipment || !equipment->selectedItems().isEmpty())
        FuzzFailure("the weekly plan chooses shared equipment");
}

LoadedPlan& Loaded()
{
    static LoadedPlan* const loaded = [] {
        OpenedDemoFolder();
        auto* plan = new LoadedPlan; // lives until the process ends
        if (!plan->dialog.OnInitDialog())
            FuzzFailure("the weekly plan does not load");
        CheckNoSharedEquipment(*plan);
        plan->rows = plan->dialog.Grid()->GetRowCount();
        plan->firstFreeRow = FilledRows(*plan->dialog.Grid()) + 1;
        KeepPlanRows();
        return plan;
    }();
    return *loaded;
}

// The rows an import of the text pastes: one per line break of the UTF-16LE text, and the last.
int PastedRows(const std::uint8_t* data, std::size_t size)
{
    int rows = 1;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        rows += data[i] == '\n' && data[i + 1] == 0;
    return rows;
}

// The import pasted from the first free row on; blanking a row's campaign gives it back the
// quantity units and no product, as loaded.
void ResetGrid(const LoadedPlan& plan, int pastedRows)
{
    CQVGridWnd& grid = *plan.dialog.Grid();
    grid.setCurrentIndex(QModelIndex());
    if (grid.GetRowCount() > plan.rows)
        grid.SetRowCount(plan.rows);
    const int last = qMin(grid.GetRowCount(), plan.firstFreeRow + pastedRows - 1);
    for (int row = plan.firstFreeRow; row <= last; ++row) {
        for (int col = 1; col <= grid.GetColCount(); ++col) {
            if (!grid.GetValueRowCol(row, col).isEmpty() && !grid.IsCellReadOnly(row, col))
                grid.SetValueRowCol(row, col, QString());
        }
    }
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    LoadedPlan& plan = Loaded();
    static const QString path = ScratchFolder("plan") + "Weekly.txt";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        FuzzFailure("cannot write " + path);
    file.close();
    AnswerNextFileDialog(path);
    plan.dialog.OnImportPlan();
    CheckDates(*plan.dialog.Grid());
    plan.dialog.OnOK();
    const bool saved = plan.dialog.result() == QDialog::Accepted;
    if (saved) {
        CProductionPlanDialog again(PLAN);
        if (!again.OnInitDialog() || FilledRows(*again.Grid()) != FilledRows(*plan.dialog.Grid()))
            FuzzFailure("a saved plan loads otherwise");
    }
    TakePromptTexts();
    ResetGrid(plan, PastedRows(data, size));
    plan.dialog.setResult(QDialog::Rejected);
    if (saved)
        RestorePlan();
}

// The weekly plan as Export Plan writes it, and rows of the forms a user types.
void Seeds(const QString& folder)
{
    OpenedDemoFolder();
    CProductionPlanDialog dialog(PLAN);
    dialog.OnInitDialog();
    QDir().mkpath(folder);
    AnswerNextFileDialog(folder + "/weekly");
    dialog.OnExportPlan();
    const auto utf16 = [](const QString& text) {
        return QByteArray("\xff\xfe", 2) +
               QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * qsizetype(sizeof(char16_t)));
    };
    const QString start = CQVGridWnd::FormatPlanDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 30)));
    WriteSeed(folder, "row", utf16("Campaign A\t12.5\tkg\tYes\tNo\t" + start + "\t3\th\t\r\n"));
    WriteSeed(folder, "rows", utf16("B\t1e3\r\nC\t-4\tx\t\t\t4/11/97 12:27:46 PM\t0.5\r\n"));
}

} // namespace

QV_FUZZ_TARGET(plan_grid_text, Entry, Seeds)
