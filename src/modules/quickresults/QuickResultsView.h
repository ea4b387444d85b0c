#pragma once
// The Quick Results window: a table of the shown operation's scheduled runs (start, end and
// duration in hours, equipment, remarks). While it is active the context is a Quick Results one
// (kind 7) for the step it shows.

#include "modules/quickresults/QuickResultsDoc.h"

#include <QWidget>

class QTableWidget;

class CQuickResultsView : public QWidget {
    Q_OBJECT
public:
    explicit CQuickResultsView(QWidget* parent = nullptr);

    CQuickResultsDoc& document() { return m_document; }
    // Shows the operation when it has results; the table follows. Nonzero on success.
    int showResults(long stepID, long operationID);
    int updateResults();
    QTableWidget* table() const { return m_table; }
    // The step label the context carries ("Name (Version)").
    void SetStepLabel(const QString& label) { m_stepLabel = label; }

    // The view of a hosted window; null for any other window.
    static CQuickResultsView* FromWindow(QWidget* window);

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillTable();
    void ReportActive();

    CQuickResultsDoc m_document;
    QTableWidget* m_table = nullptr;
    QString m_stepLabel;
};
