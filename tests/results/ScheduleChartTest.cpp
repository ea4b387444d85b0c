// The schedule laid out, drawn and printed: rows per kind in recipe order, lanes for parallel
// operations, batches merged per equipment item, remarks by severity, the hit test, the fit to a
// width, and pages cut down and across on the session's page layout.

#include "FakeAppContext.h"
#include "ScriptedPrintDialog.h"

#include "foundation/common/PrintDialogService.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "results/ScheduleChart.h"
#include "results/SchedulePainter.h"
#include "results/SchedulePrinting.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
ScheduleEntry Entry(long step, long batch, long operation, const char* label, const char* name,
                    long unitProcedure, int order, const char* vessel, double start, double end,
                    RemarkSeverity severity = RemarkSeverity::None)
{
    ScheduleEntry e;
    e.stepID = step;
    e.stepName = QStringLiteral("Step%1 (1.0)").arg(step);
    e.batchNumber = batch;
    e.operationID = operation;
    e.label = label;
    e.name = name;
    e.unitProcedureID = unitProcedure;
    e.recipeOrder = order;
    e.unitProcedure = QStringLiteral("%1. UP%2").arg(order).arg(unitProcedure);
    e.vesselTag = vessel;
    e.equipmentTag = vessel;
    e.start = start;
    e.end = end;
    e.severity = severity;
    return e;
}

QStringList Titles(const ScheduleChart& chart)
{
    QStringList titles;
    for (const ScheduleRow& row : chart.rows)
        titles << (row.heading ? "# " : "") + row.title + QStringLiteral(" x%1").arg(row.lanes);
    return titles;
}

QStringList Bars(const ScheduleRow& row)
{
    QStringList bars;
    for (const ScheduleBar& bar : row.bars)
        bars << QStringLiteral("%1 %2-%3 lane %4").arg(bar.caption).arg(bar.start).arg(bar.end).arg(bar.lane);
    return bars;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? int(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")))
               : -1;
}

// A step of `rows` unit procedures, each with `perRow` operations of an hour one after another.
ScheduleChart LongStep(int rows, int perRow)
{
    QList<ScheduleEntry> entries;
    for (int r = 0; r < rows; ++r) {
        for (int o = 0; o < perRow; ++o)
            entries << Entry(1, 0, 100 * r + o, "1.1.", "Charge", r + 1, r + 1, "R-1", 3600.0 * (r + o),
                             3600.0 * (r + o + 1));
    }
    return LayOutSchedule(ScheduleKind::Step, entries);
}
} // namespace

TEST(ScheduleChartTest, AStepHasARowPerUnitProcedureInRecipeOrderWithLanesForParallelOperations)
{
    // The second unit procedure runs first; 1.2 and 1.3 run side by side; 1.4 follows 1.2.
    const ScheduleChart chart =
        LayOutSchedule(ScheduleKind::Step, {Entry(1, 0, 21, "2.1.", "Transfer", 20, 2, "R-2", 0, 600),
                                            Entry(1, 0, 11, "1.1.", "Charge", 10, 1, "R-1", 600, 900),
                                            Entry(1, 0, 12, "1.2.", "Heat", 10, 1, "R-1", 900, 1800),
                                            Entry(1, 0, 13, "1.3.", "Sweep", 10, 1, "R-1", 900, 2400),
                                            Entry(1, 0, 14, "1.4.", "React", 10, 1, "R-1", 1800, 3000)});
    EXPECT_EQ(Titles(chart), QStringList({"1. UP10 [R-1] x2", "2. UP20 [R-2] x1"}));
    EXPECT_EQ(Bars(chart.rows.at(0)),
              QStringList({"1.1. Charge 600-900 lane 0", "1.2. Heat 900-1800 lane 0",
                           "1.3. Sweep 900-2400 lane 1", "1.4. React 1800-3000 lane 0"}));
    EXPECT_EQ(chart.span, 3000);
    int row = -1, bar = -1;
    ASSERT_TRUE(chart.FindEntry(3, &row, &bar)); // 1.3.
    EXPECT_EQ(chart.rows.at(row).bars.at(bar).caption, "1.3. Sweep");
}

TEST(ScheduleChartTest, AProcessGroupsItsRowsUnderEachStepInTheOrderTheyRun)
{
    const ScheduleChart chart =
        LayOutSchedule(ScheduleKind::Process, {Entry(2, 0, 21, "1.1.", "Dry", 20, 1, "D-1", 3600, 7200),
                                               Entry(1, 0, 11, "1.1.", "Charge", 10, 1, "R-1", 0, 600),
                                               Entry(1, 0, 12, "2.1.", "Filter", 11, 2, "", 600, 1200)});
    EXPECT_EQ(Titles(chart).join('|'),
              "# Step1 (1.0) x1|1. UP10 [R-1] x1|2. UP11 x1|# Step2 (1.0) x1|1. UP20 [D-1] x1");
    EXPECT_TRUE(chart.rows.at(0).bars.isEmpty());
}

TEST(ScheduleChartTest, APlanHasARowPerEquipmentItemAndABarPerBatchOfAStep)
{
    const ScheduleChart chart =
        LayOutSchedule(ScheduleKind::Plan,
                       {Entry(1, 1, 11, "1.1.", "Charge", 10, 1, "R-1", 0, 600),
                        Entry(1, 1, 12, "1.2.", "Heat", 10, 1, "R-1", 600, 1800, RemarkSeverity::Warning),
                        Entry(1, 2, 11, "1.1.", "Charge", 10, 1, "R-1", 1800, 2400),
                        Entry(1, 2, 12, "1.2.", "Heat", 10, 1, "R-1", 2400, 3600, RemarkSeverity::Error),
                        Entry(2, 1, 21, "1.1.", "Dry", 20, 1, "D-1", 1800, 5400)});
    EXPECT_EQ(Titles(chart), QStringList({"D-1 x1", "R-1 x1"}));
    EXPECT_EQ(Bars(chart.rows.at(1)),
              QStringList({"Step1 (1.0) #1 0-1800 lane 0", "Step1 (1.0) #2 1800-3600 lane 0"}));
    EXPECT_EQ(chart.rows.at(1).bars.at(0).severity, RemarkSeverity::Warning);
    EXPECT_EQ(chart.rows.at(1).bars.at(1).severity, RemarkSeverity::Error);
    EXPECT_EQ(chart.rows.at(1).bars.at(1).entries, QList<int>({2, 3}));
}

TEST(ScheduleChartTest, RemarksMarkTheirOperationByTheWorstTypeInTheirBatch)
{
    FakeAppContext context;
    ASSERT_TRUE(WriteResultsAtomically(context.root() + "QVSTEP_5.mdb", [](CSchemaBuilder& builder) {
        return WriteScheduleRows(
                   builder,
                   {{5, 2, 0, 600, 600, 0, 0}, {5, 3, 600, 900, 300, 0, 0}, {5, 4, 900, 1200, 300, 0, 0}}) &&
               WriteRemark(builder, {5, 2, 1002, "Warning", "Over capacity", 0}) &&
               WriteRemark(builder, {5, 2, 1007, "Error", "A negative value", 0}) &&
               WriteRemark(builder, {5, 3, 1002, "Warning", "Over capacity", 0}) &&
               WriteRemark(builder, {5, 9, 1002, "Warning", "Not scheduled", 0});
    }));
    const QList<ScheduleEntry> entries = ReadScheduleEntries(context.root(), "qvstep_5.MDB");
    QStringList seen;
    for (const ScheduleEntry& e : entries)
        seen << QStringLiteral("%1 %2 %3").arg(e.operationID).arg(int(e.severity)).arg(e.remarks.join(';'));
    EXPECT_EQ(seen.join('|'), "2 2 Over capacity;A negative value|3 1 Over capacity|4 0 ");
    EXPECT_TRUE(ReadScheduleEntries(context.root(), "QVPLAN_5.mdb").isEmpty());
}

TEST(SchedulePainterTest, BarsAreFoundWhereTheyAreDrawnAndTheSpanFitsTheWidth)
{
    const ScheduleChart chart =
        LayOutSchedule(ScheduleKind::Step, {Entry(1, 0, 11, "1.1.", "Charge", 10, 1, "R-1", 0, 3600),
                                            Entry(1, 0, 12, "1.2.", "Heat", 10, 1, "R-1", 1800, 7200),
                                            Entry(1, 0, 21, "2.1.", "Dry", 20, 2, "D-1", 7200, 10800)});
    const QImage image(10, 10, QImage::Format_RGB32);
    const ScheduleScale scale = FitScheduleScale(chart, QFontMetrics(QFont()), 900);
    CSchedulePainter painter(chart, scale);
    EXPECT_LE(painter.FullSize().width(), 900);
    EXPECT_GE(painter.FullSize().width(), 860);
    EXPECT_EQ(painter.FullSize().height(), scale.axisHeight + 3 * scale.rowHeight + 1); // two lanes, one
    for (int row = 0; row < chart.rows.size(); ++row) {
        for (int bar = 0; bar < chart.rows.at(row).bars.size(); ++bar) {
            int foundRow = -1, foundBar = -1;
            ASSERT_TRUE(painter.BarAt(painter.BarRect(row, bar).center(), &foundRow, &foundBar));
            EXPECT_EQ(std::make_pair(foundRow, foundBar), std::make_pair(row, bar));
        }
    }
    int row = -1, bar = -1;
    EXPECT_FALSE(painter.BarAt({scale.labelWidth / 2, scale.axisHeight + 5}, &row, &bar)); // on a title
    const ScheduleSlice slice = painter.SliceIn(QRect(0, scale.axisHeight + 2 * scale.rowHeight + 1, 900, 5));
    EXPECT_EQ(std::make_pair(slice.firstRow, slice.lastRow), std::make_pair(1, 2));
    EXPECT_EQ(ScheduleTickMinutes(120, 60), 30);
    EXPECT_EQ(ScheduleTickMinutes(30, 60), 120);
}

TEST(SchedulePrintingTest, ALongScheduleIsCutIntoPagesDownAndAcrossOnTheSessionLayout)
{
    FakeAppContext context;
    const ScheduleChart chart = LongStep(60, 30); // 60 rows over 89 hours
    const QString pdf = context.root() + "schedule.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const SchedulePages portrait = PaginateSchedule(chart, printer);
    EXPECT_GT(portrait.rowBands.size(), 1);
    EXPECT_GT(portrait.timeBands, 1);
    for (int band = 1; band < portrait.rowBands.size(); ++band) // every row on exactly one band
        EXPECT_EQ(portrait.rowBands.at(band).first, portrait.rowBands.at(band - 1).second);
    EXPECT_EQ(portrait.rowBands.last().second, 60);
    EXPECT_EQ(PrintSchedule(chart, "Schedule: Long (1.0)", printer), portrait.Count());
    EXPECT_EQ(PdfPageCount(pdf), portrait.Count());

    // The page set-up chosen for the session: landscape pages, more bands down, fewer across.
    const QPageLayout before = SessionPageSetup::Instance().layout();
    SessionPageSetup::Instance().setLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    ScriptedPrintDialogService dialogs;
    const QString landscape = context.root() + "landscape.pdf";
    dialogs.expect(landscape);
    ShowSchedulePrintDialog(chart, "Schedule: Long (1.0)");
    SessionPageSetup::Instance().setLayout(before);
    EXPECT_EQ(dialogs.documentNames(), QStringList({"Schedule: Long (1.0)"}));
    QPrinter wide(QPrinter::HighResolution);
    wide.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    const SchedulePages across = PaginateSchedule(chart, wide);
    EXPECT_GT(across.rowBands.size(), portrait.rowBands.size());
    EXPECT_LT(across.timeBands, portrait.timeBands);
    EXPECT_EQ(PdfPageCount(landscape), across.Count());
}
