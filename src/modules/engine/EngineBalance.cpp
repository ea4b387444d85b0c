#include "modules/engine/EngineBalance.h"

#include "foundation/common/UnitConversion.h"
#include "foundation/db/content/OperationParameters.h"

#include <QByteArray>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

constexpr long CHARGE_TYPE = 4;
constexpr long TRANSFER_TYPES[] = {7, 9, 45,
                                   61}; // Transfer, through a heat exchanger, multiple, through a sterilizer

using Contents = QHash<long, double>; // material -> kmol

bool IsStored(double value)
{
    return value != 1e35;
}

// A stored amount in kmol: mass units through the molecular weight, molar units as they are, volume
// units through the density; a unit the table does not know counts as kg.
double AmountKmol(const EngineQuantity& amount, double mw, double density)
{
    const int index = GetUnitIndex(amount.uom);
    if (index < 0)
        return amount.value / mw;
    const UnitConversionRow& unit = UnitTableRow(index);
    const double internal = UserToInternal(amount.uom, amount.value, mw, density);
    if (unit.basis == 3)
        return internal / mw; // kg
    return internal;          // basis 1: kmol; molar units count from kmol
}

// A stored volume's mass in kmol (volume x density); a unit the table does not know counts as litres.
double VolumeKmol(const EngineQuantity& volume, double mw, double density)
{
    const bool known = IsOperationFieldUnit(OperationField::Volume, volume.uom);
    const double kg =
        known ? UserToInternal(volume.uom, volume.value, mw, density) : volume.value / 1000.0 * density;
    return kg / mw;
}

EngineQuantity DefaultQuantity(long typeID, OperationField field)
{
    const OperationParameterDefault* fallback = FindOperationParameterDefault(typeID, field);
    return fallback ? EngineQuantity{fallback->value, fallback->uom} : EngineQuantity{};
}

// Stored amount, stored volume, default amount, default volume; a negative value counts as 0.
double ChargeKmol(const EngineOperation& operation, bool withDefaults, double mw, double density)
{
    const auto amount = [&](const EngineQuantity& value) {
        return std::max(0.0, AmountKmol(value, mw, density));
    };
    const auto volume = [&](const EngineQuantity& value) {
        return std::max(0.0, VolumeKmol(value, mw, density));
    };
    if (IsStored(operation.amount.value))
        return amount(operation.amount);
    if (IsStored(operation.volume.value))
        return volume(operation.volume);
    if (!withDefaults)
        return 0;
    const EngineQuantity defaultAmount = DefaultQuantity(operation.typeID, OperationField::Amount);
    if (IsStored(defaultAmount.value))
        return amount(defaultAmount);
    const EngineQuantity defaultVolume = DefaultQuantity(operation.typeID, OperationField::Volume);
    return IsStored(defaultVolume.value) ? volume(defaultVolume) : 0;
}

EngineBalanceAction ActionOf(const EngineOperation& operation)
{
    if (IsChargeType(operation.typeID))
        return EngineBalanceAction::Charge;
    if (IsTransferType(operation.typeID))
        return EngineBalanceAction::Transfer;
    return operation.reactionSetID > 0 ? EngineBalanceAction::React : EngineBalanceAction::Keep;
}

class Balance {
public:
    explicit Balance(const EngineBalanceData& data) : m_data(data) {}

    void Apply(const EngineScheduledOperation& operation)
    {
        const long unit = operation.unitProcedureID;
        long target = 0;
        if (operation.action == EngineBalanceAction::Transfer) {
            target = m_data.nextUnitProcedure.value(unit);
            target = target == unit ? 0 : target;
        }
        // Both vessels are in the table before a reference is taken: an insertion may move them.
        if (target != 0)
            m_contents[target];
        Contents& contents = m_contents[unit];
        switch (operation.action) {
        case EngineBalanceAction::Charge:
            Charge(operation, contents);
            break;
        case EngineBalanceAction::React:
            Charge(operation, contents);
            React(operation.reactionSetID, operation.keyComponentID, contents);
            break;
        case EngineBalanceAction::Transfer:
            Move(contents, target != 0 ? &m_contents[target] : &m_leaving);
            break;
        case EngineBalanceAction::Keep:
            break;
        }
        Check(operation, unit, true);
        if (target != 0)
            Check(operation, target, false);
    }

    EngineBalanceFigures Finish()
    {
        for (long last : m_data.lastUnitProcedures)
            Move(m_contents[last], &m_leaving);
        EngineBalanceFigures figures;
        const long keyOutput = m_data.keyOutputID;
        const double keyOutputKg = keyOutput > 0 ? Kg(keyOutput, m_leaving.value(keyOutput)) : 0;
        figures.batchSize = keyOutputKg > 0 ? keyOutputKg : TotalKg(m_leaving);
        figures.keyInput = m_keyInputCharged ? m_keyInputKg : m_firstChargeKg;
        figures.remarks = m_remarks;
        figures.fullestLitres = m_fullest;
        double maxFactor = 1e35;
        for (auto it = m_fullest.cbegin(); it != m_fullest.cend(); ++it) {
            const double capacity = m_data.vessels.value(it.key()).capacity;
            if (capacity != 1e35 && it.value() > 0)
                maxFactor = std::min(maxFactor, capacity / it.value());
        }
        if (maxFactor != 1e35)
            figures.maxBatchSize = figures.batchSize * maxFactor;
        if (m_minFactor >= 0)
            figures.minBatchSize = figures.batchSize * m_minFactor;
        return figures;
    }

private:
    double Kg(long material, double kmol) const { return kmol * m_data.materials.MolecularWeight(material); }

    double TotalKg(const Contents& contents) const
    {
        double kg = 0;
        for (auto it = contents.cbegin(); it != contents.cend(); ++it)
            kg += Kg(it.key(), it.value());
        return kg;
    }

    double Litres(const Contents& contents) const
    {
        double litres = 0;
        for (auto it = contents.cbegin(); it != contents.cend(); ++it)
            litres += Kg(it.key(), it.value()) / m_data.materials.Density(it.key()) * 1000.0;
        return litres;
    }

    // A charge of 0 (a negative amount counted as 0) still is the key input's or the first charge.
    void Charge(const EngineScheduledOperation& operation, Contents& contents)
    {
        if (operation.action == EngineBalanceAction::React && operation.chargeKmol <= 0)
            return; // a reaction that doses nothing
        if (operation.chargeKmol > 0)
            contents[operation.materialID] += operation.chargeKmol;
        if (!m_charged)
            m_firstChargeKg = operation.chargeKg;
        m_charged = true;
        if (operation.materialID != 0 && operation.materialID == m_data.keyInputID) {
            m_keyInputKg += operation.chargeKg;
            m_keyInputCharged = true;
        }
    }

    // The operation's key component, where it names one that a reaction consumes, in place of the
    // reaction's own.
    void React(long reactionSetID, long operationKey, Contents& contents) const
    {
        for (const EngineReaction& reaction : m_data.materials.Reactions(reactionSetID)) {
            const double ownCoefficient = Coefficient(reaction, operationKey);
            const long key = operationKey > 0 && ownCoefficient < 0 ? operationKey : reaction.keyComponentID;
            const double keyCoefficient = Coefficient(reaction, key);
            if (keyCoefficient >= 0)
                continue; // the key component must be consumed
            double extent = reaction.conversion * contents.value(key) / -keyCoefficient;
            for (const auto& [material, coefficient] : reaction.coefficients) {
                if (coefficient < 0)
                    extent = std::min(extent, contents.value(material) / -coefficient);
            }
            if (extent <= 0)
                continue;
            for (const auto& [material, coefficient] : reaction.coefficients)
                contents[material] = std::max(0.0, contents.value(material) + coefficient * extent);
        }
    }

    static double Coefficient(const EngineReaction& reaction, long material)
    {
        for (const auto& [component, coefficient] : reaction.coefficients) {
            if (component == material)
                return coefficient;
        }
        return 0;
    }

    static void Move(Contents& from, Contents* to)
    {
        for (auto it = from.cbegin(); it != from.cend(); ++it)
            (*to)[it.key()] += it.value();
        from.clear();
    }

    // A remark for each material whose volume takes the default density, once, at the first
    // operation that holds it (by material id where several are first held together).
    void NoteAssumedDensities(long operationID, const Contents& contents)
    {
        QList<long> assumed;
        for (auto it = contents.cbegin(); it != contents.cend(); ++it) {
            if (it.key() > 0 && it.value() > 0 && !m_data.materials.HasDensity(it.key()) &&
                !m_densityAssumed.contains(it.key()))
                assumed.append(it.key());
        }
        std::sort(assumed.begin(), assumed.end());
        for (long material : assumed) {
            m_densityAssumed.insert(material);
            m_remarks.append({operationID, REMARK_DENSITY_ASSUMED,
                              DensityAssumedRemarkText(m_data.materials.Name(material))});
        }
    }

    // The vessel's fullest volume, the capacity remark (where the contents grow above the capacity)
    // and the minimum-volume figure after the operation.
    void Check(const EngineScheduledOperation& operation, long unitProcedure, bool own)
    {
        NoteAssumedDensities(operation.operationID, m_contents.value(unitProcedure));
        const double litres = Litres(m_contents.value(unitProcedure));
        const double before = m_litres.value(unitProcedure);
        m_litres[unitProcedure] = litres;
        m_fullest[unitProcedure] = std::max(m_fullest.value(unitProcedure), litres);
        const EngineVessel vessel = m_data.vessels.value(unitProcedure);
        const EngineBalanceSettings& settings = m_data.settings;
        const bool grew = litres > before * (1 + 1e-9);
        if (settings.overFlow && vessel.capacity != 1e35 && litres > vessel.capacity * (1 + 1e-9) && grew &&
            !m_overflowed.value(operation.operationID)) {
            m_overflowed.insert(operation.operationID, true);
            m_remarks.append({operation.operationID, REMARK_VOLUME_ABOVE_CAPACITY, {}});
        }
        if (own && settings.underFlow && vessel.minimumVolume != 1e35 && litres > 0 &&
            settings.minimumTypes.contains(operation.typeID))
            m_minFactor = std::max(m_minFactor, vessel.minimumVolume / litres);
    }

    const EngineBalanceData& m_data;
    QHash<long, Contents> m_contents;
    Contents m_leaving;
    QHash<long, double> m_fullest;
    QHash<long, double> m_litres; // after the last operation
    QHash<long, bool> m_overflowed;
    QSet<long> m_densityAssumed;
    QList<EngineRemark> m_remarks;
    double m_minFactor = -1;
    double m_firstChargeKg = 0;
    double m_keyInputKg = 0;
    bool m_charged = false;
    bool m_keyInputCharged = false;
};

} // namespace

bool IsChargeType(long operationTypeID)
{
    return operationTypeID == CHARGE_TYPE;
}

bool IsTransferType(long operationTypeID)
{
    return std::find(std::begin(TRANSFER_TYPES), std::end(TRANSFER_TYPES), operationTypeID) !=
           std::end(TRANSFER_TYPES);
}

void PrepareBalanceActions(const EngineStepModel& model, const CEngineMaterials& materials,
                           QList<EngineScheduledOperation>& operations)
{
    for (EngineScheduledOperation& timed : operations) {
        const EngineOperation operation = model.operations.value(timed.operationID);
        timed.typeID = operation.typeID;
        timed.action = ActionOf(operation);
        timed.reactionSetID = operation.reactionSetID;
        timed.keyComponentID = operation.keyComponentID;
        const bool charge = timed.action == EngineBalanceAction::Charge;
        if (!charge && timed.action != EngineBalanceAction::React)
            continue;
        // A reaction doses only what it states itself, never its type's defaults.
        timed.materialID = operation.materialID;
        const double mw = materials.MolecularWeight(operation.materialID);
        timed.chargeKmol = charge || operation.materialID != 0
                               ? ChargeKmol(operation, charge, mw, materials.Density(operation.materialID))
                               : 0;
        timed.chargeKg = timed.chargeKmol * mw;
    }
}

EngineBalanceFigures RunEngineBalance(const EngineBalanceData& data,
                                      const QList<EngineScheduledOperation>& operations, int count)
{
    const int used = count < 0 ? int(operations.size()) : std::min(count, int(operations.size()));
    Balance balance(data);
    for (int i = 0; i < used; ++i)
        balance.Apply(operations.at(i));
    return balance.Finish();
}
