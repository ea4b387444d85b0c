#pragma once
// One run of a step: its schedule, executed operation by operation in recipe order with progress
// callbacks, pausing before breakpoints or after one operation. A paused run keeps its place.

#include "modules/engine/EngineSchedule.h"

#include <QString>

class ISimStatus;

enum class EngineAdvance {
    ToBreakpoint,       // on until a breakpoint or the end
    OneOperation,       // one operation, then a pause before the next
    WithoutBreakpoints, // to the end
};

class CEngineRun {
public:
    CEngineRun(EngineSchedule schedule, QString fingerprint);

    // Runs only the operations of the lines between the two positions (inclusive, either order),
    // after the operations before them; false when no operation lies between.
    bool SetRange(long fromSequence, long toSequence);
    // SIMULATION_COMPLETED, SIMULATION_PAUSED or SIMULATION_CANCELLED.
    // Without `reportStart` the caller has set the phase times and counts.
    int Advance(ISimStatus* status, EngineAdvance how, bool reportStart = true);
    // Phase times, total 100 and counts for `count` operations (one Step each).
    static void ReportStart(ISimStatus* status, int count);
    int OperationCount() const { return m_end - m_first; }

    long StoppedSequence() const { return m_stoppedSequence; }
    const QString& Fingerprint() const { return m_fingerprint; }
    const EngineSchedule& Schedule() const { return m_schedule; }
    // The operations whose results a completed run writes: all before the end of its range.
    int ResultCount() const { return m_end; }
    // True unless a range was set.
    bool WholeBatch() const { return !m_ranged; }

private:
    // The line a pause before operation `index` stops at; 0 when none pauses there.
    long BreakpointBefore(int index) const;
    bool RunOperation(ISimStatus* status, int index) const;

    EngineSchedule m_schedule;
    QString m_fingerprint;
    QList<bool> m_firstOfUnit;
    int m_first = 0;
    int m_next = 0;
    int m_end = 0;
    bool m_started = false;
    bool m_ranged = false;
    long m_stoppedSequence = 0;
};
