#include "modules/engine/EngineScheduler.h"

#include <QStringList>
#include <algorithm>

namespace {

double DefaultOf(const EngineOperation& operation, OperationField field)
{
    const OperationParameterDefault* fallback = FindOperationParameterDefault(operation.typeID, field);
    return fallback ? ToEngineUnit(field, fallback->value, fallback->uom) : 1e35;
}

double GivenOrDefault(double given, const EngineOperation& operation, OperationField field)
{
    return given != 1e35 ? given : DefaultOf(operation, field);
}

long LineOf(const QHash<long, EngineRecipeLine>& lines, long id)
{
    const auto found = lines.constFind(id);
    return found == lines.cend() ? LONG_MAX : found->sequence;
}

} // namespace

double OperationDuration(const EngineOperation& operation, bool* given)
{
    *given = operation.parameters.duration != 1e35;
    const double duration = GivenOrDefault(operation.parameters.duration, operation, OperationField::Duration);
    return duration == 1e35 ? 0 : std::max(0.0, duration);
}

double OperationVolume(const EngineOperation& operation)
{
    const double volume = GivenOrDefault(operation.parameters.volume, operation, OperationField::Volume);
    return volume == 1e35 ? volume : std::max(0.0, volume);
}

QStringList NegativeOperationFields(const EngineOperation& operation)
{
    QStringList fields;
    const auto negative = [](double value) { return value != 1e35 && value < 0; };
    if (negative(operation.parameters.duration))
        fields << OperationFieldTypeName(OperationField::Duration);
    if (negative(operation.amount.value))
        fields << OperationFieldTypeName(OperationField::Amount);
    if (negative(operation.volume.value))
        fields << OperationFieldTypeName(OperationField::Volume);
    return fields;
}

bool CEngineScheduler::Schedule(EngineSchedule& schedule)
{
    m_root = m_graph.AddNode(0, true);
    AddUnitProcedures();
    AddOperations();
    AddConstraints();
    if (!m_graph.Solve())
        return false;
    schedule.stepID = m_model.stepID;
    Collect(schedule);
    return true;
}

QList<bool> CEngineScheduler::EnabledTransitions(const QList<EngineTransition>& transitions,
                                                 const QHash<long, EngineRecipeLine>& lines) const
{
    QHash<long, int> chosen; // "Start Or" source -> index of the branch that runs
    for (int i = 0; i < transitions.size(); ++i) {
        const EngineTransition& transition = transitions.at(i);
        if (transition.kind != EngineTransitionKind::StartOr)
            continue;
        const auto best = chosen.constFind(transition.from);
        if (best == chosen.cend() || LineOf(lines, transition.to) < LineOf(lines, transitions.at(*best).to))
            chosen.insert(transition.from, i);
    }
    QList<bool> enabled(transitions.size(), true);
    for (int i = 0; i < transitions.size(); ++i) {
        const EngineTransition& transition = transitions.at(i);
        if (transition.kind == EngineTransitionKind::StartOr)
            enabled[i] = chosen.value(transition.from) == i;
    }
    return enabled;
}

void CEngineScheduler::AddUnitProcedures()
{
    const auto nodesOf = [this](long id) {
        if (!m_unitStart.contains(id)) {
            m_unitStart.insert(id, m_graph.AddNode(0));
            m_unitEnd.insert(id, m_graph.AddNode(0));
            m_graph.AddFlow(m_unitStart.value(id), m_unitEnd.value(id));
        }
    };
    const QList<EngineTransition>& transitions = m_model.unitProcedureTransitions;
    const QList<bool> enabled = EnabledTransitions(transitions, m_model.unitProcedureLines);
    m_unitTransitionEnabled = enabled;
    for (int i = 0; i < transitions.size(); ++i) {
        const EngineTransition& transition = transitions.at(i);
        const bool fromStart = transition.from == m_model.startUnitProcedureID;
        if (!m_model.unitProcedures.contains(transition.to) ||
            (!fromStart && !m_model.unitProcedures.contains(transition.from)))
            continue;
        nodesOf(transition.to);
        if (!fromStart)
            nodesOf(transition.from);
        m_graph.AddFlow(fromStart ? m_root : m_unitEnd.value(transition.from), m_unitStart.value(transition.to),
                        enabled.at(i));
    }
}

int CEngineScheduler::OperationNode(long operationID, long owner)
{
    const auto found = m_operationNode.constFind(operationID);
    if (found != m_operationNode.cend())
        return *found;
    bool given = false;
    const int node = m_graph.AddNode(OperationDuration(m_model.operations.value(operationID), &given));
    m_operationNode.insert(operationID, node);
    m_operationOwner.insert(operationID, owner);
    m_graph.AddWait(node, m_unitEnd.value(owner), 0);
    return node;
}

void CEngineScheduler::AddOperations()
{
    const QList<EngineTransition>& transitions = m_model.operationTransitions;
    const QList<bool> enabled = EnabledTransitions(transitions, m_model.operationLines);
    for (int i = 0; i < transitions.size(); ++i) {
        const EngineTransition& transition = transitions.at(i);
        const bool fromStart = transition.from == m_model.startOperationID;
        if (!m_unitStart.contains(transition.owner) || !m_model.operations.contains(transition.to) ||
            (!fromStart && !m_model.operations.contains(transition.from)))
            continue;
        const int from = fromStart ? m_unitStart.value(transition.owner) : OperationNode(transition.from, transition.owner);
        m_graph.AddFlow(from, OperationNode(transition.to, transition.owner), enabled.at(i));
    }
}

void CEngineScheduler::AddConstraints()
{
    for (const EngineConstraint& constraint : m_model.operationConstraints) {
        if (!m_operationNode.contains(constraint.current) || !m_operationNode.contains(constraint.parameter))
            continue;
        if (constraint.startsAfter)
            m_graph.AddWait(m_operationNode.value(constraint.parameter), m_operationNode.value(constraint.current),
                            constraint.delay);
        else
            m_graph.AddStartDelay(m_operationNode.value(constraint.parameter), constraint.delay);
    }
    for (const EngineConstraint& constraint : m_model.unitProcedureConstraints) {
        if (!m_unitStart.contains(constraint.current) || !m_unitStart.contains(constraint.parameter))
            continue;
        if (constraint.startsAfter)
            m_graph.AddWait(m_unitEnd.value(constraint.parameter), m_unitStart.value(constraint.current),
                            constraint.delay);
        else
            m_graph.AddStartDelay(m_unitStart.value(constraint.parameter), constraint.delay);
    }
}

EngineScheduledOperation CEngineScheduler::Timed(long operationID, int node) const
{
    const EngineOperation operation = m_model.operations.value(operationID);
    const long owner = m_operationOwner.value(operationID);
    const EngineRecipeLine line = m_model.operationLines.value(operationID);
    const EngineRecipeLine unitLine = m_model.unitProcedureLines.value(owner);
    EngineScheduledOperation timed;
    timed.operationID = operationID;
    timed.unitProcedureID = owner;
    timed.sequence = line.sequence;
    timed.unitProcedureSequence = unitLine.sequence;
    timed.breakpoint = line.breakpoint;
    timed.unitProcedureBreakpoint = unitLine.breakpoint;
    timed.text = line.text;
    timed.start = m_graph.Start(node);
    timed.end = m_graph.End(node);
    timed.equipmentID = m_model.unitProcedures.value(owner).primaryEquipmentID;
    timed.typeID = operation.typeID;
    return timed;
}

void CEngineScheduler::Collect(EngineSchedule& schedule) const
{
    for (auto it = m_operationNode.cbegin(); it != m_operationNode.cend(); ++it) {
        if (m_graph.Runs(it.value()))
            schedule.operations.append(Timed(it.key(), it.value()));
    }
    std::sort(schedule.operations.begin(), schedule.operations.end(),
              [](const EngineScheduledOperation& a, const EngineScheduledOperation& b) {
                  return std::tie(a.sequence, a.operationID) < std::tie(b.sequence, b.operationID);
              });
    for (const EngineScheduledOperation& operation : std::as_const(schedule.operations))
        AddRemarks(operation, schedule);
}

void CEngineScheduler::AddRemarks(const EngineScheduledOperation& timed, EngineSchedule& schedule) const
{
    const EngineOperation operation = m_model.operations.value(timed.operationID);
    if (timed.equipmentID == 0)
        schedule.remarks.append({timed.operationID, REMARK_NO_EQUIPMENT, {}});
    bool given = false;
    OperationDuration(operation, &given);
    if (!given)
        schedule.remarks.append({timed.operationID, REMARK_NO_DURATION, {}});
    for (const QString& field : NegativeOperationFields(operation))
        schedule.remarks.append({timed.operationID, REMARK_NEGATIVE_VALUE, NegativeValueRemarkText(field)});
}

void CEngineScheduler::UnitProcedureOrder(QHash<long, long>& next, QList<long>& last) const
{
    const auto runs = [this](long unit) {
        return m_unitStart.contains(unit) && m_graph.Runs(m_unitStart.value(unit));
    };
    const QList<EngineTransition>& transitions = m_model.unitProcedureTransitions;
    for (int i = 0; i < transitions.size() && i < m_unitTransitionEnabled.size(); ++i) {
        const EngineTransition& transition = transitions.at(i);
        if (!m_unitTransitionEnabled.at(i) || transition.from == transition.to || !runs(transition.from) ||
            !runs(transition.to))
            continue;
        const long current = next.value(transition.from, 0);
        if (current == 0 ||
            LineOf(m_model.unitProcedureLines, transition.to) < LineOf(m_model.unitProcedureLines, current))
            next.insert(transition.from, transition.to);
    }
    QList<long> running;
    for (auto it = m_unitStart.cbegin(); it != m_unitStart.cend(); ++it) {
        if (runs(it.key()) && !next.contains(it.key()))
            running.append(it.key());
    }
    std::sort(running.begin(), running.end(), [this](long a, long b) {
        return LineOf(m_model.unitProcedureLines, a) < LineOf(m_model.unitProcedureLines, b);
    });
    last = running;
}
