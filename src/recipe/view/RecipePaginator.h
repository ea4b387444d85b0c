#pragma once
// The text recipe as printed pages: 81 columns of a 10-point fixed-pitch font centred on the page,
// a header line (document title, date and page number) on every page, a rule before each unit
// procedure but the first. A line that does not fit the rest of a page goes to the next one; a
// line taller than a page is split between rows (at the last space of a row where it can).

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QString>

#include <functional>

class QFontMetrics;
class QPainter;
class QPaintDevice;

struct PrintedLine {
    QString label;
    QString text;
    int indent = 1;
    int kind = 0;
};

class CRecipePaginator {
public:
    using Clock = std::function<QDateTime()>;

    CRecipePaginator(QList<PrintedLine> lines, QString title, Clock clock = &QDateTime::currentDateTime);

    // Page geometry for the device; the number of pages.
    int Paginate(QPaintDevice* device);
    int pageCount() const { return int(m_pages.size()); }
    // Page from 1.
    void PrintPage(QPainter& painter, int page) const;
    QString PageHeader(int page) const;

    int lineHeight() const { return m_lineHeight; }
    int textWidth() const { return m_textWidth; }

    static const char* const RULER;
    static constexpr int COLUMNS = 81;

private:
    // A run of rows of one recipe line on one page.
    struct Piece {
        int line = 0;
        int firstRow = 0;
        int rowCount = 0;
        int y = 0; // from the body top
        bool ruleBefore = false;
    };

    QStringList rowsOf(const PrintedLine& line, const QFontMetrics& metrics) const;
    int lineX(const PrintedLine& line) const;
    int lineWidth(const PrintedLine& line) const;
    void placeLine(int index, int rowCount, int* y);

    QList<PrintedLine> m_lines;
    QList<QStringList> m_rows; // per line, the rows it prints
    QString m_title;
    Clock m_clock;
    QFont m_font;
    int m_pageWidth = 0, m_pageHeight = 0;
    int m_lineHeight = 1, m_textWidth = 0, m_left = 0, m_bodyTop = 0, m_bodyBottom = 0, m_indentStep = 0;
    QList<QList<Piece>> m_pages;
};
