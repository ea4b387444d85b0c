#pragma once
// "Excel Reports": the version each spreadsheet report is produced in and, for eight of them, the
// data filter (stored as the version plus 1000). Read when the tab is first shown; its rows are
// written at OK only when it was.

#include "preferences/options/ToolOptionPage.h"

#include <QList>
#include <QStringList>
#include <utility>

class CObjectGridWnd;

struct ReportOptionRow {
    long reportID = 0;
    QString name;
    QList<std::pair<long, QString>> versions; // id, name
    QString version;                          // the chosen version's name
    QString filter;                           // "On" or "Off"; empty for the unfiltered reports
};

class CToolOptionExcelReport : public CToolOptionPage {
public:
    QString Title() const override { return QStringLiteral("Excel Reports"); }
    long HelpTopic() const override { return 442; }

    static bool IsFilteredReport(long reportID);
    bool WriteRows(CDaoDatabase& database);

    QList<ReportOptionRow> m_rows;
    bool m_bInitialized = false;

protected:
    void BuildControls(QWidget* page) override;
    void OnInitDialog() override;
    bool DoDataExchange(bool saveAndValidate) override;

private:
    CObjectGridWnd* grid() const;
    void LayOutGrid();
    void FillRow(int row, const ReportOptionRow& report);
};
