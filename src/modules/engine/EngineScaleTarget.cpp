#include "modules/engine/EngineScaleTarget.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/content/MaterialPropertyIDs.h"
#include "foundation/db/content/OperationParameters.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace {

bool IsSetSize(double kg)
{
    return std::isfinite(kg) && kg < 1e34;
}

double VesselLitres(const QVariant& value, const QVariant& uom)
{
    return value.isNull() ? 1e35 : ToEngineUnit(OperationField::Volume, value.toDouble(), uom.toString());
}

} // namespace

ScaleDecision CEngineScaleTarget::Checked(double factor, const QString& unsetReason) const
{
    if (!IsSetSize(m_sizes.current) || m_sizes.current == 0)
        return ScaleDecision::Refused(QStringLiteral("The step has no batch size. Simulate it first."));
    if (!std::isfinite(factor) || factor >= 1e34)
        return ScaleDecision::Refused(unsetReason);
    if (factor <= 0)
        return ScaleDecision::Refused(QStringLiteral("The scale factor is not a positive number."));
    return {factor, {}};
}

ScaleDecision CEngineScaleTarget::ToOriginal()
{
    return Checked(m_sizes.original / m_sizes.current,
                   QStringLiteral("The original batch size is not known."));
}

ScaleDecision CEngineScaleTarget::ToMaximum()
{
    const double maximum = IsSetSize(m_sizes.maximum) ? m_sizes.maximum / m_sizes.current : 1e35;
    return Checked(maximum, QStringLiteral("Maximum batch size can not be calculated."));
}

QString CEngineScaleTarget::EquipmentRefusal(long equipmentID)
{
    Vessel vessel;
    if (!ReadVessel(equipmentID, vessel))
        return QStringLiteral("The equipment unit is not in the equipment database.");
    if (vessel.continuous)
        return QStringLiteral("Continuous equipment does not limit the batch size.");
    const auto& volumes = Volumes();
    const bool used = std::any_of(volumes.begin(), volumes.end(),
                                  [equipmentID](const OperationVolume& op) { return op.equipmentID == equipmentID; });
    return used ? QString() : QStringLiteral("The equipment unit is not used by this step.");
}

ScaleDecision CEngineScaleTarget::ToEquipmentCapacity(long equipmentID)
{
    const QString refusal = EquipmentRefusal(equipmentID);
    if (!refusal.isEmpty())
        return ScaleDecision::Refused(refusal);
    Vessel vessel;
    ReadVessel(equipmentID, vessel);
    double largest = 0;
    for (const OperationVolume& op : Volumes())
        if (op.equipmentID == equipmentID && IsSetSize(op.litres))
            largest = std::max(largest, op.litres);
    const double factor = largest > 0 && IsSetSize(vessel.capacity) ? vessel.capacity / largest : 1e35;
    return Checked(factor, QStringLiteral("Maximum batch size can not be calculated."));
}

ScaleDecision CEngineScaleTarget::ToKeyOutputSize(double value, const QString& unit)
{
    return ToKeySize(value, unit, true, m_sizes.current);
}

ScaleDecision CEngineScaleTarget::ToKeyInputSize(double value, const QString& unit)
{
    return ToKeySize(value, unit, false, m_sizes.keyInput);
}

ScaleDecision CEngineScaleTarget::ToKeySize(double value, const QString& unit, bool output, double current)
{
    if (GetUnitIndex(unit) < 0)
        return ScaleDecision::Refused(QStringLiteral("Unknown unit of measure: %1").arg(unit));
    if (!(value > 0) || !IsSetSize(value))
        return ScaleDecision::Refused(QStringLiteral("The scale factor is not a positive number."));
    const double mw = MolecularWeight(output);
    const double kg = InternalToUser(QStringLiteral("kg"), UserToInternal(unit, value, mw, 1.0), mw, 1.0);
    if (!IsSetSize(current) || current == 0)
        return Checked(1e35, output ? QString() : QStringLiteral("The step has no key input batch size."));
    return Checked(kg / current, QStringLiteral("The target batch size can not be calculated."));
}

ScaleDecision CEngineScaleTarget::Times(double factor)
{
    return Checked(factor, QStringLiteral("The scale factor is not a positive number."));
}

ScaleDecision CEngineScaleTarget::ToMinimum()
{
    const double factor =
        IsSetSize(m_sizes.minimum) && m_sizes.minimum > 0 ? m_sizes.minimum / m_sizes.current : 1e35;
    return Checked(factor, QStringLiteral("Minimum batch size can not be calculated."));
}

ScaleDecision CEngineScaleTarget::ToEquipmentMinimum(long equipmentID)
{
    const QString refusal = EquipmentRefusal(equipmentID);
    if (!refusal.isEmpty())
        return ScaleDecision::Refused(refusal);
    const double factor = MinimumFactor(equipmentID);
    return Checked(factor > 0 ? factor : 1e35, QStringLiteral("Minimum batch size can not be calculated."));
}

double CEngineScaleTarget::MinimumFactor(long equipmentID)
{
    const QList<long> types = MinimumBatchTypes();
    double factor = 0;
    for (const OperationVolume& op : Volumes()) {
        Vessel vessel;
        if ((equipmentID != -1 && op.equipmentID != equipmentID) || !types.contains(op.typeID) ||
            !IsSetSize(op.litres) || op.litres <= 0 || !ReadVessel(op.equipmentID, vessel) ||
            !IsSetSize(vessel.minimumVolume))
            continue;
        factor = std::max(factor, vessel.minimumVolume / op.litres);
    }
    return factor;
}

double CEngineScaleTarget::MolecularWeight(bool output)
{
    QSqlQuery step = m_step.Query(output ? QStringLiteral("SELECT KeyOutputIntermediateID FROM Step")
                                         : QStringLiteral("SELECT KeyInputIntermediateID FROM Step"));
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!step.next() || step.value(0).isNull() || !materials)
        return DEFAULT_MOLECULAR_WEIGHT;
    QSqlQuery row = materials->Query(QStringLiteral("SELECT DoubleValue FROM ActualMaterialProperty"
                                                    " WHERE MaterialID = ? AND MaterialPropertyID = 1"),
                                     {step.value(0)});
    const double mw = row.next() && !row.value(0).isNull() ? row.value(0).toDouble() : 0;
    return mw > 0 && IsSetSize(mw) ? mw : DEFAULT_MOLECULAR_WEIGHT;
}

const QList<CEngineScaleTarget::OperationVolume>& CEngineScaleTarget::Volumes()
{
    if (m_volumesRead)
        return m_volumes;
    m_volumesRead = true;
    const QHash<long, OperationParameters> parameters = ReadOperationParameters(m_step);
    QSqlQuery rows = m_step.Query(QStringLiteral(
        "SELECT o.OperationID, o.OperationTypeID, u.PrimaryEquipmentID FROM Operation o"
        " JOIN UnitProcedure u ON u.UnitProcedureID = o.UnitProcedureID WHERE u.PrimaryEquipmentID > 0"));
    while (rows.next()) {
        const long typeID = long(rows.value(1).toLongLong());
        double litres = parameters.value(long(rows.value(0).toLongLong())).volume;
        const OperationParameterDefault* fallback = FindOperationParameterDefault(typeID, OperationField::Volume);
        if (!IsSetSize(litres) && fallback)
            litres = ToEngineUnit(OperationField::Volume, fallback->value, fallback->uom);
        m_volumes.append({long(rows.value(2).toLongLong()), typeID, litres});
    }
    return m_volumes;
}

bool CEngineScaleTarget::ReadVessel(long equipmentID, Vessel& vessel)
{
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment)
        return false;
    QSqlQuery row = equipment->Query(QStringLiteral("SELECT Capacity, CapacityUOM, MinimumVolume, MinimumVolumeUOM,"
                                                    " EquipmentType FROM ActualEquipmentCommon"
                                                    " WHERE ActualEquipmentID = ?"),
                                     {qlonglong(equipmentID)});
    if (!row.next())
        return false;
    vessel = {VesselLitres(row.value(0), row.value(1)), VesselLitres(row.value(2), row.value(3)),
              row.value(4).toString().compare(QLatin1String("Continuous"), Qt::CaseInsensitive) == 0};
    return true;
}

QList<long> CEngineScaleTarget::MinimumBatchTypes()
{
    QList<long> types;
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return types;
    QSqlQuery rows = project->Query(QStringLiteral(
        "SELECT OperationID FROM MinimumBatchSizeOptions WHERE CurrentCheckForMinimumBatchSize <> 0"));
    while (rows.next())
        types.append(long(rows.value(0).toLongLong()));
    return types;
}
