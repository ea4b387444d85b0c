#pragma once
// The timed operations of one step in recipe order, with their remarks and the run's summary.

#include "foundation/db/schema/ResultsDatabase.h"

#include <QList>
#include <QString>
#include <memory>

struct EngineBalanceData;

enum class EngineBalanceAction { Keep, Charge, Transfer, React };

struct EngineScheduledOperation {
    long operationID = 0;
    long unitProcedureID = 0;
    long sequence = 0; // the line's RecipeSequenceNumber
    long unitProcedureSequence = 0;
    bool breakpoint = false;
    bool unitProcedureBreakpoint = false;
    QString text;
    double start = 0;
    double end = 0;
    long equipmentID = 0;
    long typeID = 0;
    // Its part in the material balance.
    EngineBalanceAction action = EngineBalanceAction::Keep;
    long materialID = 0;   // charged or dosed
    double chargeKmol = 0; // 0: nothing charged
    double chargeKg = 0;
    long reactionSetID = 0;
    long keyComponentID = 0; // the operation's own key component of its reactions; 0: theirs
    // A transfer into another vessel: that vessel and the unit procedure it fills; 0 otherwise.
    long receivingEquipmentID = 0;
    long receivingUnitProcedureID = 0;
};

struct EngineRemark {
    long operationID = 0;
    long messageID = 0;
    QString text; // empty: the message's own text
};

// Remark messages of the results database.
constexpr long REMARK_NO_EQUIPMENT = 1001;
constexpr long REMARK_VOLUME_ABOVE_CAPACITY = 1002;
constexpr long REMARK_NO_DURATION = 1003;
constexpr long REMARK_PROCESS_WITHOUT_TRANSITIONS = 1004; // of the run, not of an operation
constexpr long REMARK_PLAN_WITHOUT_BATCHES = 1005;        // likewise; 1006 is the sequence file's
constexpr long REMARK_NEGATIVE_VALUE = 1007;              // counted as 0
constexpr long REMARK_STEP_NOT_SCHEDULABLE = 1008;        // a plan's batch left out (OperationID 0)
constexpr long REMARK_DENSITY_ASSUMED = 1009; // once a material, at the first operation that assumes it

// "A value of <field> is negative; 0 is used."
QString NegativeValueRemarkText(const QString& field);
// "<material> has no density: 1,000 kg/m3 assumed."
QString DensityAssumedRemarkText(const QString& material);
// "Step <name> (<version>) cannot be scheduled: <reason>."
QString UnschedulableStepRemarkText(const QString& name, const QString& version, const QString& reason);

struct EngineSchedule {
    long stepID = 0;
    QList<EngineScheduledOperation> operations;
    QList<EngineRemark> remarks;
    // Set when the material balance is kept; without it the sizes are 0 and unset.
    std::shared_ptr<const EngineBalanceData> balance;
    // The balance's sizes over every operation, kept when the schedule is made (kg).
    ResultsRunSummary wholeRunSizes;

    // The summary over the first `count` operations (all of them when negative).
    ResultsRunSummary Summary(int count = -1) const;
    // The molecular weight of the key output (of water without one), kg/kmol.
    double KeyOutputMolecularWeight() const;
};
