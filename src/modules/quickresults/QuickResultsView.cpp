#include "modules/quickresults/QuickResultsView.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/SelectionService.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CQuickResultsView::CQuickResultsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QuickResultsView"));
    m_table = new QTableWidget(0, 5, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Start (h)"), QStringLiteral("End (h)"),
                                        QStringLiteral("Duration (h)"), QStringLiteral("Equipment"),
                                        QStringLiteral("Remarks")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(false);
    m_table->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    setFocusProxy(m_table);
}

CQuickResultsView* CQuickResultsView::FromWindow(QWidget* window)
{
    return qobject_cast<CQuickResultsView*>(window);
}

int CQuickResultsView::showResults(long stepID, long operationID)
{
    const int shown = m_document.showResults(stepID, operationID);
    if (shown)
        FillTable();
    return shown;
}

int CQuickResultsView::updateResults()
{
    const int shown = m_document.updateResults();
    if (shown)
        FillTable();
    return shown;
}

void CQuickResultsView::FillTable()
{
    const QList<QuickResultsRow>& rows = m_document.rows();
    m_table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QuickResultsRow& row = rows.at(r);
        const QStringList cells = {QString::number(row.start, 'f', 2), QString::number(row.end, 'f', 2),
                                   QString::number(row.duration, 'f', 2), row.equipment,
                                   row.remarks.join(QStringLiteral("; "))};
        for (int c = 0; c < cells.size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    m_table->resizeColumnsToContents();
}

void CQuickResultsView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    ReportActive();
}

bool CQuickResultsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::FocusIn)
        ReportActive();
    return QWidget::eventFilter(watched, event);
}

void CQuickResultsView::ReportActive()
{
    SelectionService* selection = ServiceSlot<SelectionService>::Get();
    if (!selection)
        return;
    ContextRecord context;
    context.kind = CONTEXT_QUICK_RESULTS;
    context.stepID = m_document.getStepID();
    context.stepLabel = m_stepLabel;
    selection->ReportActive(nullptr, context);
}
