#pragma once
// A run's schedule as a table: a row per scheduled operation with its start, end, duration and
// equipment (and, for a plan, its step and batch). It is a result window: the refresh after a new
// run re-reads its file. The file is open only while it is read.

#include "results/ResultWindowDocument.h"

#include <QWidget>

class QTableWidget;

class CRunReportWindow : public QWidget, public ResultWindowDocument {
    Q_OBJECT
public:
    explicit CRunReportWindow(const QString& resultsFileName, QWidget* parent = nullptr);

    QString ResultsFileName() const override { return m_fileName; }
    void Initialize(const QString& projectDir, const QString& resultsFile, const QString& installDir) override;
    QString TitlePrefix() const override { return QStringLiteral("Schedule: "); }
    void SetTitles(const QString& longTitle, const QString& shortTitle) override;

    QTableWidget* Table() const { return m_table; }
    int RowCount() const;
    const QString& ShortTitle() const { return m_shortTitle; }

private:
    bool IsPlanResults() const;

    QString m_fileName;
    QString m_shortTitle;
    QTableWidget* m_table = nullptr;
};
