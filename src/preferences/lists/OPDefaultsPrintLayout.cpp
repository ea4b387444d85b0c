#include "preferences/lists/OPDefaultsPrintLayout.h"

COPDefaultsPrintLayout::COPDefaultsPrintLayout(const PrintPageMetrics& metrics)
    : m_line(metrics.lineHeight),
      m_quarter(metrics.lineHeight / 4),
      m_tenth(metrics.pageWidth / 10),
      m_pageHeight(metrics.pageHeight)
{
}

std::array<int, 4> COPDefaultsPrintLayout::ColumnX() const
{
    return {m_tenth / 3 + 10, 3 * m_tenth + 10, int(6.5 * m_tenth + 10), 8 * m_tenth + 10};
}

std::vector<PrintedPage> COPDefaultsPrintLayout::Paginate(int rowCount) const
{
    std::vector<PrintedPage> pages{PrintedPage{1, {}}};
    int baseline = FirstRowBaseline();
    for (int row = 1; row <= rowCount; ++row) {
        pages.back().rows.push_back({row, baseline});
        if (baseline + m_line < BottomLimit()) {
            baseline += m_line + m_quarter;
        } else if (row < rowCount) {
            pages.push_back(PrintedPage{pages.back().number + 1, {}});
            baseline = FirstRowBaseline();
        }
    }
    return pages;
}
