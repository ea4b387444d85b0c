#include "RecipeViewFixture.h"

#include "recipe/view/RecipePaginator.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

namespace {
// An A4-sized page at 100 dots per inch.
QImage PageDevice()
{
    QImage page(827, 1169, QImage::Format_RGB32);
    page.setDotsPerMeterX(3937);
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    return page;
}

QDateTime FixedClock()
{
    return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
}

QList<PrintedLine> Recipe(int unitProcedures, int operationsEach, const QString& operationText = "Charge the vessel.")
{
    QList<PrintedLine> lines;
    for (int u = 1; u <= unitProcedures; ++u) {
        lines.append({QString("%1.").arg(u), QString("Unit procedure %1").arg(u), 1, RECIPE_LINE_UNIT_PROCEDURE});
        for (int o = 1; o <= operationsEach; ++o)
            lines.append({QString("%1.%2.").arg(u).arg(o), operationText, 1, RECIPE_LINE_OPERATION});
    }
    return lines;
}
} // namespace

TEST(RecipePaginator, HeaderPadsShortTitlesToColumn81AndReplacesLongOnes)
{
    CRecipePaginator shortTitle(Recipe(1, 1), "Coupling (1.0)", FixedClock);
    const QString header = shortTitle.PageHeader(3);
    EXPECT_EQ(header.size(), 81);
    EXPECT_TRUE(header.startsWith("Coupling (1.0)   "));
    EXPECT_TRUE(header.endsWith(":07:09,      Page 3"));
    CRecipePaginator longTitle(Recipe(1, 1), QString(70, 'T'), FixedClock);
    EXPECT_TRUE(longTitle.PageHeader(1).startsWith("Text Recipe ")) << longTitle.PageHeader(1).toStdString();
}

// Single-row lines fill the body (page height less 11 line heights) row by row.
TEST(RecipePaginator, SingleRowLinesFillWholePagesInOrder)
{
    QImage device = PageDevice();
    CRecipePaginator probe(Recipe(1, 1), "Demo", FixedClock);
    probe.Paginate(&device);
    const int rowsPerPage = (device.height() - 11 * probe.lineHeight()) / probe.lineHeight();
    for (const int operations : {1, rowsPerPage - 1, rowsPerPage, 3 * rowsPerPage + 2}) {
        CRecipePaginator pages(Recipe(1, operations), "Demo", FixedClock);
        EXPECT_EQ(pages.Paginate(&device), (operations + 1 + rowsPerPage - 1) / rowsPerPage) << operations;
        QPainter painter(&device);
        for (int page = 1; page <= pages.pageCount(); ++page)
            pages.PrintPage(painter, page);
    }
}

TEST(RecipePaginator, ALineTallerThanAPageIsSplitOverPages)
{
    QImage device = PageDevice();
    QStringList words;
    for (int i = 0; i < 3000; ++i)
        words << QString("w%1").arg(i);
    CRecipePaginator pages({{"1.1.", words.join(' '), 1, RECIPE_LINE_OPERATION}}, "Demo", FixedClock);
    EXPECT_GE(pages.Paginate(&device), 2);
    EXPECT_LE(pages.textWidth(), device.width());
}

TEST_F(RecipeViewFixture, PrintingTheDemoStepWritesItsPagesToPdf)
{
    OpenDemo();
    CQUORVANTAView& view = OpenView(COUPLING_STEP);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = app.root() + "coupling.pdf";
    printer.setOutputFileName(path);
    EXPECT_EQ(view.PrintTo(printer), 1);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(content.count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
}
