#pragma once
// The factor of a scaling: the target batch size over the step's current one (kg), or the reason
// none can be given. Equipment figures come from the project's equipment database, molecular
// weights from its material database (18.02 when missing), the minimum-batch-size operation types
// from the project database. Raises CDaoException on a database error.

#include <QHash>
#include <QList>
#include <QString>

class CDaoDatabase;

struct ScaleDecision {
    double factor = 0;
    QString reason; // empty when the factor holds

    static ScaleDecision Refused(const QString& why) { return {0, why}; }
};

struct ScaleSizes {
    double current = 1e35; // kg
    double original = 1e35;
    double maximum = 1e35;
    double keyInput = 1e35;
    double minimum = 1e35;
};

class CEngineScaleTarget {
public:
    CEngineScaleTarget(CDaoDatabase& step, const ScaleSizes& sizes) : m_step(step), m_sizes(sizes) {}

    ScaleDecision ToOriginal();
    ScaleDecision ToMaximum();
    ScaleDecision ToEquipmentCapacity(long equipmentID);
    // The key output (input) batch size given in a unit of the table.
    ScaleDecision ToKeyOutputSize(double value, const QString& unit);
    ScaleDecision ToKeyInputSize(double value, const QString& unit);
    ScaleDecision Times(double factor);
    ScaleDecision ToMinimum();
    ScaleDecision ToEquipmentMinimum(long equipmentID);

    // The smallest factor that fills every vessel to its minimum volume, over the operations whose
    // type is checked for the minimum batch size (of one unit when equipmentID is not -1); 0 when
    // no operation gives one.
    double MinimumFactor(long equipmentID = -1);

private:
    struct Vessel {
        double capacity = 1e35;      // litres
        double minimumVolume = 1e35; // litres
        bool continuous = false;
    };
    struct OperationVolume {
        long equipmentID = 0;
        long typeID = 0;
        double litres = 1e35;
    };

    ScaleDecision Checked(double factor, const QString& unsetReason) const;
    QString EquipmentRefusal(long equipmentID);
    ScaleDecision ToKeySize(double value, const QString& unit, bool output, double current);
    double MolecularWeight(bool output);
    const QList<OperationVolume>& Volumes();
    bool ReadVessel(long equipmentID, Vessel& vessel);
    QList<long> MinimumBatchTypes();

    CDaoDatabase& m_step;
    ScaleSizes m_sizes;
    QList<OperationVolume> m_volumes;
    bool m_volumesRead = false;
};
