#pragma once
// The material balance of a step's run, per unit procedure's vessel in recipe order:
// - a Charge adds its amount of its material (stored Amount, else stored Volume x density, else the
//   type's default amount, else its default volume); a reaction operation that names a material
//   with a stored amount doses it the same way before it reacts;
// - an operation with a reaction data set converts, reaction by reaction, the set's conversion of
//   its key component by the molar coefficients (as far as every consumed component lasts);
// - a transfer moves the whole contents to the vessel of the unit procedure that follows, or out
//   of the step after the last one; every other operation keeps the contents.
// At the end the contents of the last unit procedures leave the step as well. The batch size is
// the key output's mass leaving, else the whole mass leaving; the key input size the mass charged
// of the key input, else of the first charge. Vessel volumes use each material's density, and
// say where they assume the default one for a material without a density.

#include "modules/engine/EngineMaterials.h"
#include "modules/engine/EngineSchedule.h"
#include "modules/engine/EngineStepModel.h"

#include <QHash>
#include <QList>

struct EngineBalanceSettings {
    bool overFlow = true;     // capacity remarks
    bool underFlow = true;    // the minimum batch size
    QList<long> minimumTypes; // operation types whose vessel volume counts for the minimum
};

// What the balance needs beyond the operations.
struct EngineBalanceData {
    CEngineMaterials materials;
    QHash<long, EngineVessel> vessels;   // by unit procedure
    QHash<long, long> nextUnitProcedure; // by unit procedure; 0 or missing: out of the step
    QList<long> lastUnitProcedures;      // their contents leave the step at the end
    long keyInputID = 0;
    long keyOutputID = 0;
    EngineBalanceSettings settings;
};

struct EngineBalanceFigures {
    double batchSize = 0; // kg
    double keyInput = 0;  // kg
    double maxBatchSize = 1e35;
    double minBatchSize = 1e35;
    // Where a vessel's contents exceed its capacity, and where a material's volume first takes the
    // default density (one remark per material).
    QList<EngineRemark> remarks;
    QHash<long, double> fullestLitres; // by unit procedure: the peak volume of its vessel's contents
};

// Operations of the Charge type, and of the types that transfer.
bool IsChargeType(long operationTypeID);
bool IsTransferType(long operationTypeID);

// Sets each operation's balance action and charge from the model; a negative amount or volume
// counts as 0.
void PrepareBalanceActions(const EngineStepModel& model, const CEngineMaterials& materials,
                           QList<EngineScheduledOperation>& operations);

// The balance over the first `count` operations (all when negative).
EngineBalanceFigures RunEngineBalance(const EngineBalanceData& data,
                                      const QList<EngineScheduledOperation>& operations, int count = -1);
