#include "modules/engine/EngineRun.h"

#include "foundation/common/SimStatus.h"
#include "modules/engine/EngineEntry.h"

#include <QSet>

CEngineRun::CEngineRun(EngineSchedule schedule, QString fingerprint)
    : m_schedule(std::move(schedule)), m_fingerprint(std::move(fingerprint)), m_end(int(m_schedule.operations.size()))
{
    QSet<long> seen;
    for (const EngineScheduledOperation& operation : std::as_const(m_schedule.operations)) {
        m_firstOfUnit.append(!seen.contains(operation.unitProcedureID));
        seen.insert(operation.unitProcedureID);
    }
}

bool CEngineRun::SetRange(long fromSequence, long toSequence)
{
    if (fromSequence > toSequence)
        std::swap(fromSequence, toSequence);
    const QList<EngineScheduledOperation>& operations = m_schedule.operations;
    int first = 0;
    while (first < operations.size() && operations.at(first).sequence < fromSequence)
        ++first;
    int end = first;
    while (end < operations.size() && operations.at(end).sequence <= toSequence)
        ++end;
    if (end == first)
        return false;
    m_first = m_next = first;
    m_end = end;
    m_ranged = true;
    return true;
}

int CEngineRun::Advance(ISimStatus* status, EngineAdvance how, bool reportStart)
{
    if (reportStart)
        ReportStart(status, OperationCount());
    const int resumeAt = m_started ? m_next : -1;
    m_started = true;
    m_stoppedSequence = 0;
    for (int done = 0; m_next < m_end; ++done) {
        const long breakpoint = how == EngineAdvance::WithoutBreakpoints || m_next == resumeAt ? 0 : BreakpointBefore(m_next);
        if (breakpoint != 0 || (how == EngineAdvance::OneOperation && done > 0)) {
            m_stoppedSequence = breakpoint != 0 ? breakpoint : m_schedule.operations.at(m_next).sequence;
            return SIMULATION_PAUSED;
        }
        if (!RunOperation(status, m_next))
            return SIMULATION_CANCELLED;
        ++m_next;
    }
    return SIMULATION_COMPLETED;
}

void CEngineRun::ReportStart(ISimStatus* status, int operations)
{
    if (!status)
        return;
    const int count = std::max(1, operations);
    status->SetPhaseTimeA(0.05);
    status->SetPhaseTimeB(0.05 + 1e-4 * count);
    status->SetTotal(100);
    status->SetCount1(count);
    status->SetCount2(1);
}

long CEngineRun::BreakpointBefore(int index) const
{
    const EngineScheduledOperation& operation = m_schedule.operations.at(index);
    if (m_firstOfUnit.at(index) && operation.unitProcedureBreakpoint)
        return operation.unitProcedureSequence;
    return operation.breakpoint ? operation.sequence : 0;
}

bool CEngineRun::RunOperation(ISimStatus* status, int index) const
{
    if (!status)
        return true;
    const QString text = QStringLiteral("Simulating %1").arg(m_schedule.operations.at(index).text);
    return status->SetStatusText(text) && status->Step(0);
}
