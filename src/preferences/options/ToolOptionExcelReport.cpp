#include "preferences/options/ToolOptionExcelReport.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/CollationSort.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/project/ExcelReportOptionSet.h"
#include "foundation/db/project/QryReportVersion.h"
#include "preferences/options/OptionRowsByKey.h"

#include <QVBoxLayout>

namespace {
constexpr int REPORT_GRID = 1454;
constexpr long FILTER_OFFSET = 1000;

// The versions of one report; false after its message when the query does not open.
bool ReadReportVersions(long reportID, QList<std::pair<long, QString>>& versions, const char* failure)
{
    CQryReportVersion query;
    if (!query.OpenSet(reportID)) {
        QvMessageBox(QString::fromLatin1(failure));
        return false;
    }
    for (; !query.IsEOF(); query.MoveNext())
        versions.append({query.GetLong("VersionID"), query.GetText("VersionName")});
    query.CloseSet();
    return true;
}

ReportOptionRow ReadReportRow(CExcelReportOptionSet& set)
{
    ReportOptionRow row;
    row.reportID = set.GetLong("ReportID");
    row.name = set.GetText("ReportName");
    const long stored = set.GetLong("VersionID");
    if (CToolOptionExcelReport::IsFilteredReport(row.reportID))
        row.filter = stored >= FILTER_OFFSET ? QStringLiteral("On") : QStringLiteral("Off");
    ReadReportVersions(row.reportID, row.versions,
                       "Can't open the Report Version table to set up Version list!");
    const long number = stored >= FILTER_OFFSET ? stored - FILTER_OFFSET : stored;
    for (const auto& [id, name] : row.versions)
        if (id == number)
            row.version = name;
    return row;
}

// The version named in the grid (any case), or -1.
long ChosenVersion(const ReportOptionRow& row)
{
    for (const auto& [id, name] : row.versions)
        if (name.compare(row.version, Qt::CaseInsensitive) == 0)
            return id;
    return -1;
}

CGridCellStyle GreyStatic()
{
    CGridCellStyle style;
    style.SetControl(GRID_CTRL_STATIC).SetInterior(GRID_READONLY_COLOR).SetEnabled(false);
    return style;
}

QString SortedChoices(QStringList texts)
{
    CollationSortTexts(texts);
    return texts.join(QLatin1Char('\n'));
}
} // namespace

bool CToolOptionExcelReport::IsFilteredReport(long reportID)
{
    static const QList<long> filtered{105, 111, 112, 113, 204, 209, 210, 211};
    return filtered.contains(reportID);
}

CObjectGridWnd* CToolOptionExcelReport::grid() const
{
    return FindControl<CObjectGridWnd>(window(), REPORT_GRID);
}

void CToolOptionExcelReport::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* reports = new CObjectGridWnd(page);
    reports->setObjectName(QString::number(REPORT_GRID));
    reports->setAccessibleName(QStringLiteral("Stream Excel Reports Option Grid"));
    layout->addWidget(reports);
}

void CToolOptionExcelReport::OnInitDialog()
{
    WaitCursor wait;
    grid()->Initialize();
    CExcelReportOptionSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Report Options table for initialization!"));
        return;
    }
    m_rows.clear();
    for (; !set.IsEOF(); set.MoveNext())
        m_rows.append(ReadReportRow(set));
    set.CloseSet();
    LayOutGrid();
    for (int i = 0; i < m_rows.size(); ++i)
        FillRow(i + 1, m_rows[i]);
    m_bInitialized = true;
}

void CToolOptionExcelReport::LayOutGrid()
{
    CObjectGridWnd* g = grid();
    g->SetRowCount(int(m_rows.size()));
    g->SetColCount(3);
    g->SetColWidth(0, 0);
    g->SetColWidth(1, 150);
    g->SetColWidth(2, 350);
    const QStringList headers{QString(), QStringLiteral("Report"), QStringLiteral("Options"),
                              QStringLiteral("Data Filter")};
    for (int col = 1; col <= 3; ++col)
        g->SetStyleRange(
            CGridRange(0, col),
            CGridCellStyle().SetValue(headers[col]).SetInterior(GRID_HEADING_COLOR).SetEnabled(false));
    for (int row = 1; row <= m_rows.size(); ++row)
        g->SetRowHeight(row, 28);
}

void CToolOptionExcelReport::FillRow(int row, const ReportOptionRow& report)
{
    CObjectGridWnd* g = grid();
    CGridCellStyle name = GreyStatic();
    name.SetValue(report.name).SetHorizontalAlignment(Qt::AlignLeft);
    g->SetStyleRange(CGridRange(row, 1), name);
    QStringList names;
    for (const auto& version : report.versions)
        names << version.second;
    g->SetStyleRange(CGridRange(row, 2),
                     CGridCellStyle().SetControl(GRID_CTRL_DROPDOWNLIST).SetChoiceList(SortedChoices(names)));
    if (report.filter.isEmpty())
        g->SetStyleRange(CGridRange(row, 3), GreyStatic());
    else
        g->SetStyleRange(CGridRange(row, 3),
                         CGridCellStyle()
                             .SetControl(GRID_CTRL_DROPDOWNLIST)
                             .SetChoiceList(SortedChoices({QStringLiteral("On"), QStringLiteral("Off")})));
}

bool CToolOptionExcelReport::DoDataExchange(bool saveAndValidate)
{
    CObjectGridWnd* g = grid();
    for (int i = 0; i < m_rows.size() && i < g->GetRowCount(); ++i) {
        ReportOptionRow& row = m_rows[i];
        if (saveAndValidate) {
            row.version = g->GetValueRowCol(i + 1, 2);
            if (!row.filter.isEmpty())
                row.filter = g->GetValueRowCol(i + 1, 3);
        } else {
            g->SetValueRowCol(i + 1, 2, row.version);
            if (!row.filter.isEmpty())
                g->SetValueRowCol(i + 1, 3, row.filter);
        }
    }
    return true;
}

bool CToolOptionExcelReport::WriteRows(CDaoDatabase& database)
{
    CExcelReportOptionSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Report Options table for update!"));
        return false;
    }
    QSet<long> stored;
    for (; !set.IsEOF(); set.MoveNext())
        stored.insert(set.GetLong("ReportID"));
    set.CloseSet();
    QList<QVariantList> rows;
    for (const ReportOptionRow& row : m_rows) {
        long version = ChosenVersion(row);
        if (version < 0 && stored.contains(row.reportID))
            continue; // no such version: the row stays as it is
        if (row.filter == QLatin1String("On") && version < FILTER_OFFSET)
            version += FILTER_OFFSET;
        rows.append({qlonglong(row.reportID), qlonglong(version)}); // a missing key ends the write
    }
    UpdateRowsByKey(database, QStringLiteral("ReportOptions"), QStringLiteral("ReportID"),
                    {QStringLiteral("VersionID")}, rows, stored);
    return true;
}
