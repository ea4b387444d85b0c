#pragma once
// One production-plan requirement (or one process quantity) on its way to batch counts: the steps
// of a process (or one step) with their batch sizes, intermediates and product factors, the
// process's step transitions, and the calculation that walks upstream from the step making the
// requested material, rounding each step's batch count up. Writes the plan's detail rows (one per
// batch, in run order) and summary rows (one per step); the caller holds the transaction.
// Created, filled by one of the Calculate entry points, queried and destroyed; never copied.

#include "foundation/common/Array.h"
#include "recipe/transitions/RecipeRow.h"
#include "simulation/PlanFactorItem.h"
#include "recipe/transitions/TransitionRecord.h"

#include <QString>
#include <memory>
#include <vector>

class CPPDetailSet;
class CPlantSet;
class CStepSet;

class PlanRequirementCalculator {
public:
    PlanRequirementCalculator(long planID, long requirementID, const QString& mode);
    ~PlanRequirementCalculator();
    PlanRequirementCalculator(const PlanRequirementCalculator&) = delete;
    PlanRequirementCalculator& operator=(const PlanRequirementCalculator&) = delete;

    void SetFirstBatchOverlap(bool overlap) { FirstBatchOverlap = overlap; }
    void SetBatchOverlap(bool overlap) { BatchOverlap = overlap; }
    void SetBatchTimeInterval(double interval, const QString& uom);
    void SetEarliestStartTime(double oleDate) { EarliestStartTime = oleDate; }
    void SetStepOrProcessID(long id) { StepOrProcessID = id; }
    void SetQuantityUnit(const QString& uom) { QuantityUOM = uom; }
    void SetKind(const QString& kind) { Kind = kind; }
    void SetMolecularWeight(double mw) { MolecularWeight = mw; }
    void SetProductName(const QString& name) { ProductName = name; }

    // Index: 0 .. GetItemCount() - 1, not checked.
    int GetItemCount() const { return ItemCount; }
    long GetItemStepID(int index) const { return Items[size_t(index)].StepID; }
    double GetItemAmount(int index) const { return Items[size_t(index)].Amount; }
    double GetItemBatchSize(int index) const { return Items[size_t(index)].BatchSize; }
    double GetItemProductFactor(int index) const { return Items[size_t(index)].KeyInputFactor; }
    double GetItemKeyInputMW(int index) const { return Items[size_t(index)].KeyInputMW; }
    long GetItemKeyInputID(int index) const { return Items[size_t(index)].KeyInputID; }
    bool GetItemCleaningFlag(int index) const { return Items[size_t(index)].CleaningFlag; }
    int GetItemNumberOfBatches(int index) const { return Items[size_t(index)].NumberOfBatches; }
    long GetTargetMaterialID() const { return TargetMaterialID; }
    double GetRequiredAmount() const { return RequiredAmount; }
    double GetMolecularWeight() const { return MolecularWeight; }
    const QString& GetProductName() const { return ProductName; }
    int GetTransitionCount() const { return TransitionCount; }
    int GetTotalBatches() const;

    bool LoadProcess();
    // -1: every step of the process StepOrProcessID; another id: that step. Replaces the items.
    bool LoadSteps(long stepID);
    void FillItem(PlanFactorItem& item, CStepSet& step);
    long FindProducingStep(long materialID, int* index) const;
    long FindConsumingStep(long materialID, int* index) const;
    long FindFinalStep(long processID);
    long FindFirstStep(long processID);

    // Kilograms from a local engine entry; 1e35 when not available.
    double GetFinalStepBatchSize(long processID);
    double GetScaledFinalStepBatchSize(long processID, double factor);
    double GetFinalStepOriginalBatchSize(long processID);
    double GetFirstStepKeyInputBatchSize(long processID);
    // The step the last of those asked the engine about; 0 when it asked none (its own message told
    // why), so a 1e35 with a step here is the engine's: the step has no size yet.
    long GetEngineStepID() const { return m_engineStepID; }

    void CalculateForProcess(long processID, double quantity, const QString& uom);
    void CalculateForStep(long stepID, double quantity, const QString& uom);
    void PropagateUpstream(long stepID, long materialID, double amount, const QString& uom, bool recurse);
    void SetCleaningStepBatches();

    // Add the plan's rows of this requirement; raise CDaoException. WritePlanDetail answers false
    // when a process's run order has no start (no rows then), the message being the caller's.
    bool WritePlanDetail();
    void WritePlanSummary();
    void WriteItemDetailRows(CPPDetailSet& set, PlanFactorItem& item, bool firstOfRequirement);
    bool WriteProcessDetailRows(CPPDetailSet& set);

public:
    // The requirement as the plan's report files read it.
    long PlanID;
    long RequirementID;
    long StepOrProcessID = 0;
    QString ProcessVersionName;
    long CurrentStepID = 0;
    QString StepVersionName;
    long TargetMaterialID = 0;
    Array<TransitionRecord> Transitions;
    std::vector<PlanFactorItem> Items;
    int ItemCount = 0;
    int TransitionCount = 0;
    double RequiredAmount = 0.0;
    QString QuantityUOM;
    QString ProductName;
    QString Kind;
    QString ProcessName;
    QString StepName;
    double MolecularWeight = 0.0;
    bool FirstBatchOverlap = true;
    bool BatchOverlap = true;
    double BatchTimeInterval = 0.0;
    QString BatchTimeIntervalUOM;
    double EarliestStartTime = 0.0; // OLE automation date
    QString Mode;

private:
    struct UpstreamRequest {
        long stepID;
        long materialID;
        double amount;
    };
    enum class EngineQuery { Current, Original, KeyInput };

    bool IsPlanMode() const;
    bool IsUnsetForPlan(const PlanFactorItem& item) const;
    PlanFactorItem* ItemOfStep(long stepID);
    bool LoadProcessSteps();
    bool LoadOneStep(long stepID);
    bool OpenStepRow(long stepID, CStepSet& step);
    long ReadIntermediate(const CStepSet& step, const QString& column, QString& name, double& mw);
    QString PlantNameOf(long plantID);
    bool FindProcessRow(long processID, long* finalProduct, long* keyRawMaterial);
    long FindProcessStep(long processID, bool finalStep);
    double EngineBatchSize(long processID, EngineQuery query);
    void UseSimulatedBatchSizes();
    double BasisMolecularWeight(const PlanFactorItem& item);
    bool PrepareAmount(long stepID, double quantity, const QString& uom);
    double AskedOfKeyOutput(const PlanFactorItem& item, long materialID, double amount, const QString& uom) const;
    bool StoreCount(PlanFactorItem& item, double total, double bs);
    void AskInputs(const PlanFactorItem& item, double added, std::vector<UpstreamRequest>& upstream) const;
    void EndWithoutBatches(const QString& stepName, double count);
    long StartStepID() const;
    void WriteCycles(CPPDetailSet& set, const Array<RecipeRow>& walk, const std::vector<int>& counts);
    void WritePass(CPPDetailSet& set, const Array<RecipeRow>& walk, const std::vector<int>& counts);
    void WriteBatchRows(CPPDetailSet& set, const PlanFactorItem& item, int count, bool firstOfRequirement);

    std::unique_ptr<CPlantSet> m_plants;
    std::vector<long> m_callChain;  // steps whose PropagateUpstream is running
    long m_batchesStepID = 0;       // the step asked in "batches", whose batch size 0 counts 1
    long m_engineStepID = 0;        // the step of the last engine batch-size query
    bool m_loadTold = false;        // the step load showed its own message
    bool m_endedWithoutBatches = false;
    bool m_detailRowWritten = false;
};
