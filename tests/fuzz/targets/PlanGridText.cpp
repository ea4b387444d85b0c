// Text pasted into the production-plan grid, and each pasted cell checked as the grid checks a
// typed one; a date and time that reads is written in the user's format and reads back the same.

#include "FuzzTarget.h"
#include "foundation/controls/QVGridWnd.h"

namespace {

class PlanGrid : public CQVGridWnd {
public:
    using CQVGridWnd::OnValidateCell;
};

PlanGrid& Grid()
{
    static PlanGrid* grid = [] {
        auto* g = new PlanGrid; // lives as long as the process
        g->PlanGridMode = 1;
        return g;
    }();
    return *grid;
}

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    PlanGrid& grid = Grid();
    grid.SetRowCount(4);
    grid.SetColCount(9);
    grid.PasteText(1, 1, text);
    for (int row = 1; row <= 4; ++row) {
        for (int col = 1; col <= 9; ++col) {
            const QString cell = grid.GetValueRowCol(row, col);
            if (cell.isEmpty())
                continue;
            QString warning;
            grid.OnValidateCell(row, col, cell, &warning);
            const QDateTime when = CQVGridWnd::ReadPlanDateTime(cell);
            if (when.isValid() && CQVGridWnd::ReadPlanDateTime(CQVGridWnd::FormatPlanDateTime(when)) != when)
                FuzzFailure("a plan date read back from its written form differs: " + cell);
        }
    }
}

void Seeds(const QString& folder)
{
    const QString start = CQVGridWnd::FormatPlanDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 30)));
    WriteSeed(folder, "row", ("Campaign A\t12.5\tkg\tStep 1\t\t" + start + "\t3\n").toUtf8());
    WriteSeed(folder, "rows", "B\t1e3\r\nC\t-4\tx\t\t\t4/11/97 12:27:46 PM\t0.5\r\n");
}

} // namespace

QV_FUZZ_TARGET(plan_grid_text, Entry, Seeds)
