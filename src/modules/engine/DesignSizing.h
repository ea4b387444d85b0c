#pragma once
// The equipment choice of a design run. Every equipment item the step used needs its peak volume
// times the scale factor. A fixed item stays; a free one is replaced by an item of its class in
// the facility (0: the whole catalogue) that no other use holds, by the vessel rule. Where the
// chosen item cannot hold the need the factor is capped at its capacity / peak, and the passes
// repeat with the capped factor until the choice is stable or the iterations run out.

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

enum class VesselRule { Largest, Smallest, Closest };

// "Largest vessels first", "Smallest vessels first", "Closest vessels first" (any case); any other
// text is the first.
VesselRule ParseVesselRule(const QString& heuristic);

// Litres; 1e35 = not given.
struct DesignVessel {
    long id = 0;
    long classID = -1;
    long plantID = -1;
    double capacity = 1e35;
    double minimumVolume = 1e35;
};

struct DesignEquipmentUse {
    long before = 0;
    double peak = 0; // litres: its contents at their fullest in the balance, or a larger stated volume
    bool fixed = false;
    long after = 0;
    double capacity = 1e35; // of the item after
    double need = 0;        // peak x factor
};

struct DesignSizingResult {
    QList<DesignEquipmentUse> uses;
    double factor = 1.0;
    int iterations = 0;
    bool capped = false;    // a capacity lowered the factor
    bool cancelled = false; // the iteration callback answered false
};

class CDesignSizing {
public:
    CDesignSizing(const QHash<long, DesignVessel>& vessels, long facilityID, VesselRule rule);

    // onIteration(n) is called before pass n; answering false stops the sizing as cancelled.
    DesignSizingResult Size(const QList<DesignEquipmentUse>& uses, double factor, int maxIterations,
                            const std::function<bool(int)>& onIteration) const;

private:
    // One pass at `factor`: the choices and needs into `uses`; answers the factor after the caps.
    double Pass(QList<DesignEquipmentUse>& uses, double factor) const;
    // The item of the class for the need among those not taken; 0 when there is none.
    long Choose(long classID, double need, const QHash<long, bool>& taken) const;
    double CapacityOf(long equipmentID) const;

    const QHash<long, DesignVessel>& m_vessels;
    VesselRule m_rule;
    QHash<long, QList<const DesignVessel*>> m_candidates; // by class, in id order
};
