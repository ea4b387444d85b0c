#include "preferences/options/ToolOptionSpecEqmCalendar.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/controls/ObjectGridWnd.h"
#include "foundation/controls/OptionControls.h"
#include "foundation/db/project/OpSpecEqmCalendarSet.h"
#include "preferences/options/OptionRowsByKey.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char* const CALENDAR_OPEN_FAILURE =
    "Can't open Operation Specific Equipment Calendar table for initialization!";
const char* const CALENDAR_UPDATE_FAILURE =
    "Can't open Operation Specific Equipment Calendar table for update!";

namespace {
constexpr int CALENDAR_GRID = 1172;
constexpr int CALENDAR_RESET = 1487;

QString CheckText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

CObjectGridWnd* CToolOptionSpecEqmCalendar::grid() const
{
    return FindControl<CObjectGridWnd>(window(), CALENDAR_GRID);
}

void CToolOptionSpecEqmCalendar::BuildControls(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        new QLabel(QStringLiteral("Please place check marks next to the Operation to allow it to start and "
                                  "end during non-working time in schedule view."),
                   page));
    auto* operations = new CObjectGridWnd(page);
    operations->setObjectName(QString::number(CALENDAR_GRID));
    layout->addWidget(operations);
    auto* reset = new QPushButton(QStringLiteral("Reset"), page);
    reset->setObjectName(QString::number(CALENDAR_RESET));
    QObject::connect(reset, &QPushButton::clicked, page, [this] { OnReset(); });
    layout->addWidget(reset, 0, Qt::AlignLeft);
}

bool CToolOptionSpecEqmCalendar::ReadRows(const char* failure)
{
    COpSpecEqmCalendarSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(failure));
        return false;
    }
    m_rows.clear();
    for (; !set.IsEOF(); set.MoveNext())
        m_rows.append({set.GetLong("OperationID"), set.GetText("OperationTypeName"),
                       set.GetBool("StartDuringNonWorkingTime"), set.GetBool("EndDuringNonWorkingTime")});
    set.CloseSet();
    return true;
}

void CToolOptionSpecEqmCalendar::OnInitDialog()
{
    WaitCursor wait;
    grid()->Initialize();
    if (!ReadRows(CALENDAR_OPEN_FAILURE))
        return;
    LayOutGrid();
    m_bInitialized = true;
}

void CToolOptionSpecEqmCalendar::LayOutGrid()
{
    CObjectGridWnd* g = grid();
    g->SetRowCount(int(m_rows.size()));
    g->SetColCount(3);
    const int unit = std::max(1, g->width() / 429);
    const int widths[] = {0, 198 * unit, 105 * unit, 105 * unit};
    const QStringList headers{QString(), QStringLiteral("Operation"),
                              QStringLiteral("Can start during non-working time"),
                              QStringLiteral("Can end during non-working time")};
    for (int col = 0; col <= 3; ++col)
        g->SetColWidth(col, widths[col]);
    for (int col = 1; col <= 3; ++col)
        g->SetStyleRange(
            CGridRange(0, col),
            CGridCellStyle().SetValue(headers[col]).SetInterior(GRID_HEADING_COLOR).SetEnabled(false));
    g->SetRowHeight(0, 33);
    const int rows = int(m_rows.size());
    g->SetStyleRange(CGridRange(1, 1, rows, 1), CGridCellStyle()
                                                    .SetControl(GRID_CTRL_STATIC)
                                                    .SetInterior(GRID_READONLY_COLOR)
                                                    .SetEnabled(false)
                                                    .SetHorizontalAlignment(Qt::AlignLeft));
    g->SetStyleRange(
        CGridRange(1, 2, rows, 3),
        CGridCellStyle().SetControl(GRID_CTRL_CHECKBOX).SetHorizontalAlignment(Qt::AlignHCenter));
    for (int row = 1; row <= rows; ++row) {
        g->SetRowHeight(row, 21);
        g->SetValueRowCol(row, 1, m_rows[row - 1].typeName);
    }
}

bool CToolOptionSpecEqmCalendar::DoDataExchange(bool saveAndValidate)
{
    CObjectGridWnd* g = grid();
    for (int i = 0; i < m_rows.size() && i < g->GetRowCount(); ++i) {
        EqmCalendarRow& row = m_rows[i];
        if (saveAndValidate) {
            row.start = g->GetValueRowCol(i + 1, 2) == QLatin1String("1");
            row.end = g->GetValueRowCol(i + 1, 3) == QLatin1String("1");
        } else {
            g->SetValueRowCol(i + 1, 2, CheckText(row.start));
            g->SetValueRowCol(i + 1, 3, CheckText(row.end));
        }
    }
    return true;
}

void CToolOptionSpecEqmCalendar::OnReset()
{
    if (m_bInitialized && ReadRows(CALENDAR_OPEN_FAILURE) && window())
        DoDataExchange(false);
}

bool CToolOptionSpecEqmCalendar::WriteRows(CDaoDatabase& database)
{
    COpSpecEqmCalendarSet set;
    if (!set.OpenSet()) {
        QvMessageBox(QString::fromLatin1(CALENDAR_UPDATE_FAILURE));
        return false;
    }
    QSet<long> stored;
    for (; !set.IsEOF(); set.MoveNext())
        stored.insert(set.GetLong("OperationID"));
    set.CloseSet();
    QList<QVariantList> rows;
    for (const EqmCalendarRow& row : m_rows)
        rows.append({qlonglong(row.operationID), int(row.start), int(row.end)});
    UpdateRowsByKey(database, QStringLiteral("OperationSpecificEquipmentCalendar"),
                    QStringLiteral("OperationID"),
                    {QStringLiteral("StartDuringNonWorkingTime"), QStringLiteral("EndDuringNonWorkingTime")},
                    rows, stored);
    return true;
}
