#pragma once
// The Quick Results viewer's document: one operation of a step as the step's last run scheduled
// it (start, end, duration, equipment) with its visible remarks, read from QVSTEP_<id>.mdb in the
// project folder.

#include <QList>
#include <QString>

struct QuickResultsRow {
    double start = 0;    // h from the batch start
    double end = 0;      // h
    double duration = 0; // h
    QString equipment;   // the tag, else "#<id>"; empty without equipment
    QStringList remarks; // "Error 1001: ..." of the visible remarks
};

class CQuickResultsDoc {
public:
    long getStepID() const { return m_stepID; }
    long getOperationID() const { return m_operationID; }
    // Reads the operation's rows; nonzero when the step's results schedule it. On failure the
    // document keeps what it showed.
    int showResults(long stepID, long operationID);
    // Reads the shown operation again; 0 when it has no results any more (the window closes).
    int updateResults() { return showResults(m_stepID, m_operationID); }
    const QList<QuickResultsRow>& rows() const { return m_rows; }

private:
    long m_stepID = -1;
    long m_operationID = -1;
    QList<QuickResultsRow> m_rows;
};

// True when the step's results database exists and schedules the operation.
bool HasQuickResults(long stepID, long operationID);
