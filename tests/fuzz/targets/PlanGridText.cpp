// A production plan's text file as the Production Plan dialog imports it (UTF-16LE, tabs between
// cells), into the sample Demo's weekly plan: the rows pasted into the grid, every pasted date that
// reads is written in the user's format and reads back the same; OK checks the rows and saves the
// plan in one transaction, and a saved plan loads again with as many rows. The plan's rows are set
// back after each input.

#include "DatabaseMutation.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/db/DaoDatabase.h"
#include "planning/PlanGridRow.h"
#include "planning/ProductionPlanDialog.h"

#include <QDir>
#include <QFile>

namespace {

constexpr long PLAN = 1;
const QStringList PLAN_TABLES = {"ProductionPlan", "PlanRequirements", "SharedExclusiveEquipment",
                                 "\"ProductionPlan-To-Project\""};

// The weekly plan's rows as the sample holds them, kept in temporary tables of the project's
// connection and written back after each input.
void RestorePlan()
{
    CDaoDatabase& project = *GetProjectDatabase();
    static const bool kept = [&] {
        for (int i = 0; i < PLAN_TABLES.size(); ++i)
            project.Execute(QString("CREATE TEMP TABLE fuzz_plan_%1 AS SELECT * FROM %2 WHERE PlanID = %3")
                                .arg(i).arg(PLAN_TABLES.at(i)).arg(PLAN));
        return true;
    }();
    for (int i = 0; i < PLAN_TABLES.size() && kept; ++i) {
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

void Entry(const std::uint8_t* data, std::size_t size)
{
    OpenedDemoFolder();
    static const QString path = ScratchFolder("plan") + "Weekly.txt";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        FuzzFailure("cannot write " + path);
    file.close();
    {
        CProductionPlanDialog dialog(PLAN);
        if (!dialog.OnInitDialog())
            FuzzFailure("the weekly plan does not load");
        AnswerNextFileDialog(path);
        dialog.OnImportPlan();
        CheckDates(*dialog.Grid());
        dialog.OnOK();
        if (dialog.result() == QDialog::Accepted) {
            CProductionPlanDialog again(PLAN);
            if (!again.OnInitDialog() || FilledRows(*again.Grid()) != FilledRows(*dialog.Grid()))
                FuzzFailure("a saved plan loads otherwise");
        }
    }
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
