#include "modules/engine/DesignSizing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DESIGN_UNSET = 1e35;

bool HasCapacity(const DesignVessel& vessel)
{
    return vessel.capacity != DESIGN_UNSET && vessel.capacity > 0;
}

// Whether `a` is the better choice than `b` (ids break ties: the candidates come in id order, so
// a strict comparison keeps the lower id).
bool Better(VesselRule rule, double need, const DesignVessel& a, const DesignVessel& b)
{
    switch (rule) {
    case VesselRule::Largest:
        return a.capacity > b.capacity;
    case VesselRule::Smallest: {
        const bool aHolds = a.capacity >= need, bHolds = b.capacity >= need;
        if (aHolds != bHolds)
            return aHolds;
        return aHolds ? a.capacity < b.capacity : a.capacity > b.capacity;
    }
    case VesselRule::Closest:
        return std::fabs(a.capacity - need) < std::fabs(b.capacity - need);
    }
    return false;
}

} // namespace

VesselRule ParseVesselRule(const QString& heuristic)
{
    const QString text = heuristic.trimmed();
    if (text.compare(QLatin1String("Smallest vessels first"), Qt::CaseInsensitive) == 0)
        return VesselRule::Smallest;
    if (text.compare(QLatin1String("Closest vessels first"), Qt::CaseInsensitive) == 0)
        return VesselRule::Closest;
    return VesselRule::Largest;
}

CDesignSizing::CDesignSizing(const QHash<long, DesignVessel>& vessels, long facilityID, VesselRule rule)
    : m_vessels(vessels), m_rule(rule)
{
    if (facilityID < 0)
        return;
    for (const DesignVessel& vessel : vessels)
        if (HasCapacity(vessel) && (facilityID == 0 || vessel.plantID == facilityID))
            m_candidates[vessel.classID].append(&vessel);
    for (QList<const DesignVessel*>& list : m_candidates)
        std::sort(list.begin(), list.end(),
                  [](const DesignVessel* a, const DesignVessel* b) { return a->id < b->id; });
}

double CDesignSizing::CapacityOf(long equipmentID) const
{
    const auto found = m_vessels.constFind(equipmentID);
    return found == m_vessels.cend() || !HasCapacity(*found) ? DESIGN_UNSET : found->capacity;
}

long CDesignSizing::Choose(long classID, double need, const QHash<long, bool>& taken) const
{
    const DesignVessel* best = nullptr;
    for (const DesignVessel* vessel : m_candidates.value(classID)) {
        if (!taken.contains(vessel->id) && (!best || Better(m_rule, need, *vessel, *best)))
            best = vessel;
    }
    return best ? best->id : 0;
}

double CDesignSizing::Pass(QList<DesignEquipmentUse>& uses, double factor) const
{
    QHash<long, bool> taken;
    for (const DesignEquipmentUse& use : std::as_const(uses))
        if (use.fixed)
            taken.insert(use.before, true);
    double capped = factor;
    for (DesignEquipmentUse& use : uses) {
        use.need = use.peak * factor;
        use.after = use.before;
        if (!use.fixed) {
            const auto vessel = m_vessels.constFind(use.before);
            const long chosen = vessel == m_vessels.cend() ? 0 : Choose(vessel->classID, use.need, taken);
            use.after = chosen != 0 ? chosen : use.before;
            taken.insert(use.after, true);
        }
        use.capacity = CapacityOf(use.after);
        if (use.peak > 0 && use.capacity != DESIGN_UNSET)
            capped = std::min(capped, use.capacity / use.peak);
    }
    return capped;
}

DesignSizingResult CDesignSizing::Size(const QList<DesignEquipmentUse>& uses, double factor,
                                       int maxIterations, const std::function<bool(int)>& onIteration) const
{
    DesignSizingResult result;
    result.uses = uses;
    result.factor = factor;
    const int passes = std::max(1, maxIterations);
    bool stable = false;
    while (!stable && result.iterations < passes) {
        if (onIteration && !onIteration(result.iterations + 1)) {
            result.cancelled = true;
            return result;
        }
        ++result.iterations;
        const double next = Pass(result.uses, result.factor);
        stable = next >= result.factor;
        result.factor = std::min(result.factor, next);
    }
    for (DesignEquipmentUse& use : result.uses)
        use.need = use.peak * result.factor;
    result.capped = result.factor < factor;
    return result;
}
