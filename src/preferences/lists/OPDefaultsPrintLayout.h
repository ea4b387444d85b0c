#pragma once
// Where the printout of the operation defaults puts its texts, in device units of a page: a
// header on every page (title, page number, headings, a rule), then one row per line. A row whose
// baseline plus one line reaches the bottom limit still goes on its page; the next row starts a
// new page, and a page is started only when a row remains for it.

#include <array>
#include <vector>

struct PrintPageMetrics {
    int lineHeight = 0; // font height plus external leading
    int pageWidth = 0;  // of the printable area
    int pageHeight = 0;
};

struct PrintedRow {
    int row = 0; // grid row, from 1
    int baseline = 0;
};

struct PrintedPage {
    int number = 0; // from 1
    std::vector<PrintedRow> rows;
};

class COPDefaultsPrintLayout {
public:
    explicit COPDefaultsPrintLayout(const PrintPageMetrics& metrics);

    static constexpr int TITLE_X = 10;
    static constexpr int RULE_LENGTH = 281; // hyphens

    int TitleBaseline() const { return m_line; }
    int PageNumberX() const { return 9 * m_tenth + 10; }
    int HeadingBaseline() const { return 5 * m_line + m_quarter; }
    int RuleBaseline() const { return 6 * m_line + 2 * m_quarter; }
    int FirstRowBaseline() const { return 8 * m_line + 3 * m_quarter; }
    int BottomLimit() const { return m_pageHeight - 6 * m_line; }
    // x of the operation, variable, value and unit columns.
    std::array<int, 4> ColumnX() const;

    std::vector<PrintedPage> Paginate(int rowCount) const;

private:
    int m_line, m_quarter, m_tenth, m_pageHeight;
};
