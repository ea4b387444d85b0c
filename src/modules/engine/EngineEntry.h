#pragma once
// Stand-in of the simulation engine: schedules a step from its stored transitions (operation
// durations, parallel and alternative blocks, scheduling constraints), reports progress, pauses at
// breakpoints and writes the results databases that the result queries read back.
//
// Rules of the schedule:
// - An operation lasts its Duration parameter, else its type's default; 0 s without either. A
//   missing Duration parameter gives remark 1003; no primary equipment 1001; a negative duration,
//   amount or volume counts as 0 with remark 1007. Amounts and volumes fall back to the type's
//   defaults as well.
// - "Series" and "Start Parallel" targets start when their source ends; an item entered by several
//   transitions starts when the last of them ends. Of the "Start Or" transitions that leave one
//   item only the branch that comes first in the recipe runs; the other branches are skipped.
// - "Starts-After": the current item starts no earlier than the named item's end plus the delay (a
//   delay that is missing or not above 0 adds nothing). "Parallel-To": the named item starts the
//   delay after it could start. Rows naming an item that is not scheduled are ignored.
// - A unit procedure's operations start no earlier than it starts; it ends with its last operation.
// - Batch size and key input come from the material balance (EngineBalance.h). Cycle time: the
//   last end minus the first start. Max batch size: the batch size times the smallest capacity over
//   the fullest contents of a vessel; min batch size (with UnderFlow): times the largest minimum
//   volume over the contents at an operation of a type checked for it; 1e35 without any figure.
//   With OverFlow, contents that grow above a vessel's capacity give remark 1002 there.
// - A completed whole-batch run (not a range, nor a plan or design run) stores the key output's
//   kmol and molecular weight in the step row (EngineStepBatchSize.h).
// - Runs execute the scheduled operations in recipe order: a breakpoint on an operation line, or on
//   a unit-procedure line before its first operation, pauses before that line.

#include "foundation/common/Array.h"
#include "foundation/db/schema/ResultsDatabase.h"

#include <QHash>
#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

class ISimStatus;
class AppContext;
class CEngineRun;
class CEngineProcessWalk;
class CDaoDatabase;
struct ScaleDecision;
struct ScaleSizes;
enum class EngineAdvance;

enum SIMULATION_RETURN_CODES {
    SIMULATION_COMPLETED = 0,
    SIMULATION_FAILED = 1,    // the step cannot be run: bad data, a stale pause, results not written
    SIMULATION_CANCELLED = 2, // a progress callback answered false
    SIMULATION_PAUSED = 3,    // stopped before a breakpoint or the next operation
};

// The run options of one object (the frame's object keeps the defaults: everything on).
struct EngineRunOptions {
    int airEmission = 1;
    int resultsDatabase = 1; // 0: no results database is written
    int overFlow = 1;
    int underFlow = 1;
    int maxDesignIterations = 5;
};

// True when what the engine needs is in place: the results schema can be read.
bool EngineModuleReady();

class EngineEntry {
public:
    EngineEntry();
    virtual ~EngineEntry();
    EngineEntry(const EngineEntry&) = delete;
    EngineEntry& operator=(const EngineEntry&) = delete;

    virtual void setRunOptions(int airEmission, int resultsDatabase, int overFlow, int underFlow);
    // Stored for the design run.
    virtual void setDesignOptions(int resultsDatabase, int overFlow, int underFlow, int maxDesignIterations);
    // Sizes the step's equipment for the amount over the horizon (EngineDesign.h); the facility and
    // vessel rule come from the step's stored design targets.
    virtual int designStep(ISimStatus* status, long stepID, double amount, const QString& amountUOM,
                           double horizon, const QString& horizonUOM, const Array<long>& fixedEquipment);
    // "ReadAndSimulate" drops the step's paused run; "SimulateOnly" marks it stale, so that stepping
    // on answers 1. The last results stay readable either way.
    virtual void resetSimulation(long stepID, const QString& mode);

    // The whole batch; to the first breakpoint.
    virtual int simulateBatch(ISimStatus* status, long stepID);
    // The operations of the lines fromID..toID (TextRecipe [ID]s), after the state before them.
    virtual int simulateBatch(ISimStatus* status, long stepID, long fromID, long toID);
    // "Process": the whole batch without breakpoints (process scale-up).
    virtual int simulateBatch(ISimStatus* status, long stepID, const QString& mode);
    // On to the next breakpoint; without a paused run, from the start.
    virtual int continueBatch(ISimStatus* status, long stepID);
    // One operation, then a pause before the next; without a paused run, from the start.
    virtual int simulateNextOperation(ISimStatus* status, long stepID);
    // The RecipeSequenceNumber of the line the paused run stopped before; 0 when none is paused.
    virtual long getSimulationStoppedRecipeSequenceNumber(long stepID);

    // The process's steps in simulation order from its step transitions (START step left out):
    // each step after all its predecessors, ties in transition order. False for a user sequence,
    // a process without transitions or a cycle.
    virtual bool getStepIdList(bool userSequence, long processID, Array<long>& stepIDs);
    // Every step of the process in order into QVPROC_<id>; drops the batch engine's paused runs of them.
    // Without step transitions it answers 1 and QVPROC_<id> holds only an Error remark (1004).
    virtual int simulateProcess(ISimStatus* status, long processID, EngineEntry* batchEngine);
    // The plan's batches into QVPLAN_<id>, breakpoints ignored: by the plan's detail rows
    // (EnginePlanDetail.h; a plan without batches answers 1 with an Error remark, 1005) or, with the
    // flag, by its user-defined sequence file (EnginePlanSequence.h; an unusable file: 1 and 1006).
    virtual int simulatePlan(ISimStatus* status, long planID, bool followSequenceFile);

    // Scaling. Each target computes the factor (target batch size over the current one, kg) and
    // keeps it for writeScaleUpResults; 1 when it holds, else 0 with the reason as the last status
    // text. A factor that is not finite and positive, a step without a batch size, an unknown unit,
    // equipment the step does not use or Continuous equipment refuse.
    virtual int scaleUpToOriginalScale(ISimStatus* status, long stepID);
    virtual int scaleUpToMaxBatchSize(ISimStatus* status, long stepID);
    virtual int scaleUpToSpecificEquipmentUnit(ISimStatus* status, long stepID, long equipmentID);
    virtual int scaleUpToSpecifiedBatchSize(ISimStatus* status, long stepID, double value, const QString& unit);
    virtual int scaleUpToSpecifiedInputBatchSize(ISimStatus* status, long stepID, double value,
                                                 const QString& unit);
    virtual int scaleUpToNTimesCurrentBatchSize(ISimStatus* status, long stepID, double factor);
    virtual int scaleUpToMinBatchSize(ISimStatus* status, long stepID);
    virtual int scaleUpToMinBatchSizeInSpecificEquipmentUnit(ISimStatus* status, long stepID, long equipmentID);
    // Keeps the revert of the step's last recorded scaling; 0 when none is recorded.
    virtual int undoPrevScaling(ISimStatus* status, long stepID);
    // Writes what the last target or undo kept, in one transaction: the scalable values of the
    // operations outside the scale-invariant list, their range texts, the step row's sizes and
    // ScaleFactor, and the record an undo reverts (an undo drops it). 0 when nothing is kept;
    // raises CDaoException when the write fails (nothing is written then).
    virtual int writeScaleUpResults(ISimStatus* status, long stepID);
    // The operations the last write or undo of this object changed.
    virtual Array<long> getScaledOperations(long stepID);
    // The operations' texts are the host's to regenerate: nothing is left to write here.
    virtual int updateTextRecipeForScaleUp(ISimStatus* status, long stepID);
    // As writeScaleUpResults with the given factor but without ScaleFactor, nested in the caller's
    // transaction; 1.0 writes nothing and keeps the list. 0 for a factor that is not finite and
    // positive; raises CDaoException when the write fails.
    virtual int scaleUpDatabaseRecords(long stepID, double factor);

    // From the step's results database; 1e35 for a step never simulated. Between a scaling (or
    // undo) and the next completed run, the current and key-input sizes are those it left; the
    // maximum and minimum stay (the vessels do not change). The original size is the one before the
    // first recorded scaling, else the current one.
    virtual double getCurrentBatchSizeInKg(long stepID);
    virtual double getOriginalBatchSizeInKg(long stepID);
    virtual double getCurrentKeyInputBatchSizeInKg(long stepID);
    virtual double getMaxBatchSizeInKg(long stepID);
    virtual double getMinBatchSizeInKg(long stepID);
    virtual double getCycleTime(long stepID);
    virtual Array<long> getEquipmentIDS(long stepID);

    // Each drops the step's paused run.
    virtual void operationModified(long stepID, long operationID, int flag);
    virtual void stepModified(long stepID);

    // The module-wide list of available utilities (material ids), shared by every object.
    virtual void utilityAdded(long utilityID);
    virtual void utilityModified(long utilityID); // keeps it listed
    virtual void utilityDeleted(long utilityID);
    // Keeps the working-copy folder of the open project, where a run may put scratch files.
    virtual void PassZRQ(const QString& workingCopyDir);
    // Keeps the application object of the host (null: none).
    virtual void PassTamro(AppContext* application);
    // Reads the utilities (materials with property 469) of the open project's material database;
    // false when it cannot be read (the list is then empty).
    virtual bool PopulateListOfAvailableUtilities();
    virtual void cleanUpUtilityArray();

    // Module state, for the host and tests.
    static Array<long> AvailableUtilities();
    static QString KeptWorkingCopyDir();
    static AppContext* KeptApplication();

private:
    void DropPause(long stepID);
    int Resume(ISimStatus* status, long stepID, EngineAdvance how);
    // Advances the run; keeps it when paused, writes its results when completed.
    int Drive(ISimStatus* status, long stepID, std::unique_ptr<CEngineRun> run, EngineAdvance how);
    void WriteRunRemark(const QString& fileName, long messageID) const;
    bool WriteProcessRuns(long processID, const CEngineProcessWalk& walk, const QList<long>& order,
                          const std::vector<std::unique_ptr<CEngineRun>>& runs);

    struct KeptScaling {
        double factor = 1.0;
        bool undo = false;
    };
    int KeepScaling(ISimStatus* status, long stepID, const ScaleDecision& decision);
    ScaleSizes CurrentSizes(long stepID);
    void WriteScaling(CDaoDatabase& step, long stepID, double factor, bool scaleFactor);
    void WriteUndo(CDaoDatabase& step, long stepID);

    EngineRunOptions m_options;
    std::unordered_map<long, KeptScaling> m_keptScalings;
    QHash<long, Array<long>> m_scaledOperations;
    EngineRunOptions m_designOptions;
    std::unordered_map<long, std::unique_ptr<CEngineRun>> m_pausedRuns;
    QHash<long, bool> m_staleSteps;
};
