#pragma once
// The schedule window of a step's, process's or plan's results: the drawn chart on its first tab
// and the same operations as a table on its second. It is a result window (re-read after a run,
// retitled after a rename), it makes the context the schedule's step, process or plan while it is
// active, and it prints the chart.

#include "foundation/common/concerns/CommandTarget.h"
#include "foundation/common/concerns/ContextRecord.h"
#include "results/ResultWindowDocument.h"
#include "results/ScheduleChart.h"

#include <QWidget>

class CScheduleChartView;
class QTabWidget;
class QTableWidget;

class CScheduleWindow : public QWidget, public ResultWindowDocument, public CommandTarget {
    Q_OBJECT
public:
    CScheduleWindow(ScheduleKind kind, long id, const QString& name, QWidget* parent = nullptr);
    ~CScheduleWindow() override;

    // ResultWindowDocument
    QString ResultsFileName() const override { return m_fileName; }
    void Initialize(const QString& projectDir, const QString& resultsFile,
                    const QString& installDir) override;
    QString TitlePrefix() const override { return QStringLiteral("Schedule: "); }
    void SetTitles(const QString& longTitle, const QString& shortTitle) override;

    // CommandTarget: printing.
    bool HandlesCommand(int commandID) const override;
    bool IsCommandEnabled(int commandID) const override;
    void OnCommand(int commandID) override;

    ScheduleKind Kind() const { return m_kind; }
    long ID() const { return m_id; }
    const QString& Name() const { return m_name; }
    const ScheduleChart& Chart() const { return m_chart; }
    int EntryCount() const { return int(m_chart.entries.size()); }
    const QString& ShortTitle() const { return m_shortTitle; }
    QTabWidget* Tabs() const { return m_tabs; }
    QTableWidget* Table() const { return m_table; }
    CScheduleChartView* ChartView() const { return m_view; }

    // Step id, process id + 98000 or plan id + 99000.
    long Key() const;
    // Kind 3 with the schedule's step, process or plan.
    ContextRecord Context() const;
    // Selects the bar and the table line of that operation of the step; false when not shown.
    bool SelectOperation(long stepID, long operationID);
    // Tells the frame this window is the active one.
    void ReportActive();

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillTable();
    // The entry's bar and table line selected; the bar alone (the table's own selection moved).
    void SelectEntry(int entry);
    void ShowEntryBar(int entry);

    ScheduleKind m_kind;
    long m_id;
    QString m_name;
    QString m_fileName;
    QString m_shortTitle;
    ScheduleChart m_chart;
    QTabWidget* m_tabs = nullptr;
    CScheduleChartView* m_view = nullptr;
    QTableWidget* m_table = nullptr;
};

long ScheduleKey(ScheduleKind kind, long id);
