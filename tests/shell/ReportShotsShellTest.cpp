// The reports in the running program on Demo with two steps simulated: the project's Material
// Data written to the chosen file, the case comparison dialog, the example custom report run on a
// step and the step's Run Report window. Screenshots (rp1-*.png) go to QV_SHOTS_DIR when it is set;
// a written workbook is shown as a table of its first sheet.

#include "ZipEntry.h"
#include "RecipeShellFixture.h"
#include "foundation/common/DesktopOpener.h"
#include "modules/qvxl/ReportNames.h"
#include "results/CaseCompareDialog.h"
#include "results/DataReportCommands.h"
#include "results/RunReport.h"
#include "results/ScheduleWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QXmlStreamReader>

namespace {
constexpr long SHOT_CRYSTALLIZATION = 1002;

void SaveReportShot(QWidget& widget, const QString& name)
{
    EXPECT_FALSE(widget.grab().isNull());
    const QString folder = qEnvironmentVariable("QV_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget.grab().save(QDir(folder).filePath("rp1-" + name + ".png"));
}

// The cells of the first sheet, shared strings resolved.
QList<QStringList> FirstSheetRows(const QString& archive)
{
    QStringList strings;
    QXmlStreamReader shared(ZipEntry(archive, "xl/sharedStrings.xml"));
    while (!shared.atEnd()) {
        if (shared.readNext() == QXmlStreamReader::StartElement && shared.name() == QLatin1String("t"))
            strings << shared.readElementText();
    }
    QList<QStringList> rows;
    QString type;
    QXmlStreamReader sheet(ZipEntry(archive, "xl/worksheets/sheet1.xml"));
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (sheet.name() == QLatin1String("row"))
            rows.append(QStringList());
        else if (sheet.name() == QLatin1String("c"))
            type = sheet.attributes().value("t").toString();
        else if (sheet.name() == QLatin1String("v") && !rows.isEmpty()) {
            const QString value = sheet.readElementText();
            rows.last() << (type == "s" ? strings.value(value.toInt()) : value);
        }
    }
    return rows;
}

// The workbook's first sheet in a table titled with its file name; the table's row count.
int ShotOfWorkbook(const QString& path, const QString& name)
{
    const QList<QStringList> rows = FirstSheetRows(path);
    QTableWidget table(int(rows.size()), 0);
    table.setWindowTitle(QFileInfo(path).fileName());
    for (int r = 0; r < rows.size(); ++r) {
        table.setColumnCount(std::max(table.columnCount(), int(rows[r].size())));
        for (int c = 0; c < rows[r].size(); ++c)
            table.setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
    table.resize(760, 360);
    table.show();
    SaveReportShot(table, name);
    return int(rows.size());
}

class ShotOpener : public DesktopOpener {
public:
    bool OpenDocument(const QString& path) override { return opened << path, true; }
    QStringList opened;
};

class ProjectScopes : public ReportScopeChooser {
public:
    ProjectScopes() : m_previous(SetReportScopeChooser(this)) {}
    ~ProjectScopes() override { SetReportScopeChooser(m_previous); }
    std::optional<long> ChooseStepOrProject() override { return -1; }

private:
    ReportScopeChooser* m_previous;
};
} // namespace

class ReportShotsShellTest : public RecipeShellFixture {
protected:
    void SetUp() override
    {
        RecipeShellFixture::SetUp();
        m_openers.Install<DesktopOpener>(&opener);
        for (long step : {SHOT_CRYSTALLIZATION, SHELL_COUPLING_STEP}) // Coupling last: the context
            ASSERT_EQ(frame->AutomationSimulateStep(step, ReportStepName(step)).kind, AutomationRunOutcome::Done);
    }
    QString ProjectFile(const QString& name) const { return QDir(GetProjectDir()).filePath(name); }

    ShotOpener opener;
    ServiceInstallations m_openers;
    ScriptedFileDialogService files;
};

TEST_F(ReportShotsShellTest, EachReportAndTheRunReportWindow)
{
    const ProjectScopes scopes;
    const QString material = ProjectFile("Material Data - Project.xlsx");
    files.expect(material);
    frame->ExecuteCommand(ID_REPORT_MATERIAL_DATA);
    ASSERT_TRUE(QFileInfo::exists(material));
    EXPECT_EQ(opener.opened, QStringList{material}); // the window shows: opened for the user
    EXPECT_GT(ShotOfWorkbook(material, "material-data"), 1);

    CCaseCompareDialog compare(SHELL_COUPLING_STEP, frame->CurrentContext().stepLabel);
    compare.show();
    EXPECT_GE(compare.stepList()->count(), 1); // Crystallization has results
    SaveReportShot(compare, "case-compare");
    compare.reject();

    const QString custom = ProjectFile("Schedule overview.xlsx");
    files.expect(QStringLiteral(QV_SOURCE_DIR "/docs/examples/schedule-overview.qvr"));
    files.expect(custom);
    frame->ExecuteCommand(ID_REPORT_CUSTOM);
    ASSERT_TRUE(QFileInfo::exists(custom));
    EXPECT_GT(ShotOfWorkbook(custom, "custom-report"), 1);

    const ContextRecord& c = frame->CurrentContext(); // the Run Report command's target
    ASSERT_TRUE(OpenScheduleWindow(frame, ChooseRunReportTarget(c)));
    auto* area = frame->findChild<QMdiArea*>();
    ASSERT_TRUE(area && area->activeSubWindow());
    EXPECT_TRUE(dynamic_cast<CScheduleWindow*>(area->activeSubWindow()->widget()));
    frame->resize(1100, 700);
    SaveReportShot(*frame, "run-report");
}
