#include "results/RunReportWindow.h"

#include "foundation/db/ResultsDatabase.h"

#include <QDir>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QTableWidgetItem* RunReportNumberItem(double value)
{
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// Every scheduled operation of the file (by batch, then start); the file is closed again.
QList<ResultsScheduleRow> ReadRunSchedule(const QString& path)
{
    CResultsDatabase results;
    return results.Open(path) ? results.PlanSchedule() : QList<ResultsScheduleRow>();
}
} // namespace

CRunReportWindow::CRunReportWindow(const QString& resultsFileName, QWidget* parent)
    : QWidget(parent), m_fileName(resultsFileName), m_table(new QTableWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Step"), QStringLiteral("Batch"), QStringLiteral("Operation"),
                                        QStringLiteral("Start"), QStringLiteral("End"), QStringLiteral("Duration"),
                                        QStringLiteral("Equipment")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
}

bool CRunReportWindow::IsPlanResults() const
{
    return m_fileName.startsWith(QLatin1String("QVPLAN"), Qt::CaseInsensitive);
}

void CRunReportWindow::Initialize(const QString& projectDir, const QString& resultsFile, const QString&)
{
    m_fileName = resultsFile;
    const QList<ResultsScheduleRow> rows = ReadRunSchedule(ResultsFilePath(projectDir, resultsFile));
    m_table->setRowCount(int(rows.size()));
    for (int line = 0; line < rows.size(); ++line) {
        const ResultsScheduleRow& row = rows[line];
        const double values[] = {double(row.stepID), double(row.batchNumber), double(row.operationID), row.start,
                                 row.end,            row.duration,            double(row.equipmentID)};
        for (int column = 0; column < 7; ++column)
            m_table->setItem(line, column, RunReportNumberItem(values[column]));
    }
    m_table->setColumnHidden(1, !IsPlanResults());
}

void CRunReportWindow::SetTitles(const QString& longTitle, const QString& shortTitle)
{
    setWindowTitle(longTitle);
    m_shortTitle = shortTitle;
}

int CRunReportWindow::RowCount() const
{
    return m_table->rowCount();
}
