#include "results/ScheduleWindow.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SelectionService.h"
#include "results/ScheduleChartView.h"
#include "results/SchedulePrinting.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum TableColumn {
    COL_STEP,
    COL_BATCH,
    COL_LINE,
    COL_OPERATION,
    COL_VESSEL,
    COL_START,
    COL_END,
    COL_DURATION,
    COL_REMARKS,
    COL_COUNT
};

QTableWidgetItem* TextItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QStringList TableLine(const ScheduleEntry& e)
{
    return {e.stepName,
            QString::number(e.batchNumber),
            e.label,
            e.name,
            e.vesselTag,
            FormatScheduleTime(e.start),
            FormatScheduleTime(e.end),
            FormatScheduleTime(e.end - e.start),
            e.remarks.join(QStringLiteral("; "))};
}
} // namespace

long ScheduleKey(ScheduleKind kind, long id)
{
    switch (kind) {
    case ScheduleKind::Process:
        return id + 98000;
    case ScheduleKind::Plan:
        return id + 99000;
    case ScheduleKind::Step:
        break;
    }
    return id;
}

CScheduleWindow::CScheduleWindow(ScheduleKind kind, long id, const QString& name, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_id(id), m_name(name), m_fileName(ScheduleResultsFileName(kind, id)),
      m_tabs(new QTabWidget(this)), m_view(new CScheduleChartView), m_table(new QTableWidget)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_view);
    scroll->setBackgroundRole(QPalette::Base);
    m_tabs->addTab(scroll, QStringLiteral("Chart"));
    connect(scroll->horizontalScrollBar(), &QScrollBar::valueChanged, m_view, qOverload<>(&QWidget::update));
    m_tabs->addTab(m_table, QStringLiteral("Table"));
    m_table->setColumnCount(COL_COUNT);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Step"), QStringLiteral("Batch"), QStringLiteral("Line"), QStringLiteral("Operation"),
         QStringLiteral("Vessel"), QStringLiteral("Start"), QStringLiteral("End"), QStringLiteral("Duration"),
         QStringLiteral("Remarks")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setColumnHidden(COL_STEP, kind == ScheduleKind::Step);
    m_table->setColumnHidden(COL_BATCH, kind != ScheduleKind::Plan);
    connect(m_view, &CScheduleChartView::barClicked, this,
            [this](int row, int bar) { SelectEntry(m_chart.rows.at(row).bars.at(bar).entries.first()); });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int line) { ShowEntryBar(line); });
    for (QWidget* child : {static_cast<QWidget*>(m_view), static_cast<QWidget*>(m_table),
                           static_cast<QWidget*>(m_tabs->tabBar()), scroll->viewport()})
        child->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
}

CScheduleWindow::~CScheduleWindow()
{
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ForgetSource(this);
}

void CScheduleWindow::Initialize(const QString& projectDir, const QString& resultsFile, const QString&)
{
    m_fileName = resultsFile;
    m_view->SetChart(nullptr); // the view never draws a chart being replaced
    m_chart = LayOutSchedule(m_kind, ReadScheduleEntries(projectDir, resultsFile));
    m_view->SetChart(&m_chart);
    FillTable();
}

void CScheduleWindow::FillTable()
{
    m_table->clearSelection();
    m_table->setRowCount(int(m_chart.entries.size()));
    for (int line = 0; line < m_chart.entries.size(); ++line) {
        const QStringList cells = TableLine(m_chart.entries.at(line));
        for (int column = 0; column < COL_COUNT; ++column)
            m_table->setItem(line, column, TextItem(cells.at(column)));
    }
    m_table->resizeColumnsToContents();
}

void CScheduleWindow::SetTitles(const QString& longTitle, const QString& shortTitle)
{
    setWindowTitle(longTitle);
    m_shortTitle = shortTitle;
    // A rename retitles the window: the context it sets from now on carries the new name.
    QString name = longTitle.section(QStringLiteral(": "), 1);
    for (const char* kind : {"Process - ", "Plan - "}) {
        if (m_kind != ScheduleKind::Step && name.startsWith(QLatin1String(kind)))
            name.remove(0, int(qstrlen(kind)));
    }
    if (!name.isEmpty())
        m_name = name;
}

bool CScheduleWindow::HandlesCommand(int commandID) const
{
    return commandID == ID_FILE_PRINT || commandID == ID_FILE_PRINT_PREVIEW;
}

bool CScheduleWindow::IsCommandEnabled(int commandID) const
{
    return HandlesCommand(commandID) && !m_chart.rows.isEmpty();
}

void CScheduleWindow::OnCommand(int commandID)
{
    if (commandID == ID_FILE_PRINT)
        ShowSchedulePrintDialog(m_chart, windowTitle());
    else if (commandID == ID_FILE_PRINT_PREVIEW)
        ShowSchedulePrintPreview(m_chart, windowTitle(), this);
}

long CScheduleWindow::Key() const
{
    return ScheduleKey(m_kind, m_id);
}

ContextRecord CScheduleWindow::Context() const
{
    ContextRecord context;
    context.kind = CONTEXT_GANTT;
    switch (m_kind) {
    case ScheduleKind::Step:
        context.stepID = m_id;
        context.stepLabel = m_name;
        break;
    case ScheduleKind::Process:
        context.processID = m_id;
        context.processName = m_name;
        context.processNodeSelected = true;
        break;
    case ScheduleKind::Plan:
        context.planID = m_id;
        context.planName = m_name;
        break;
    }
    return context;
}

bool CScheduleWindow::SelectOperation(long stepID, long operationID)
{
    for (int i = 0; i < m_chart.entries.size(); ++i) {
        const ScheduleEntry& entry = m_chart.entries.at(i);
        if (!entry.hold && entry.stepID == stepID && entry.operationID == operationID) {
            SelectEntry(i);
            return true;
        }
    }
    return false;
}

void CScheduleWindow::SelectEntry(int entry)
{
    ShowEntryBar(entry);
    m_table->selectRow(entry);
}

void CScheduleWindow::ShowEntryBar(int entry)
{
    int row = -1;
    int bar = -1;
    if (entry >= 0 && m_chart.FindEntry(entry, &row, &bar))
        m_view->Select(row, bar);
}

void CScheduleWindow::ReportActive()
{
    if (SelectionService* selection = ServiceSlot<SelectionService>::Get())
        selection->ReportActive(this, Context());
}

void CScheduleWindow::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    ReportActive();
}

bool CScheduleWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        ReportActive();
    else if (event->type() == QEvent::Resize && watched == m_view->parentWidget()) // the scroll viewport
        m_view->FitToWidth(m_view->parentWidget()->width());
    return QWidget::eventFilter(watched, event);
}
