#pragma once
// The Plan Explorer pane as the rest of the program sees it, and the dialog that lays out a plan's
// user-defined simulation sequence. Until a pane or dialog is installed the calls answer false.

#include <QString>

class EngineEntry;
class QWidget;

class PlanExplorerServices {
public:
    virtual ~PlanExplorerServices() = default;
    // The selected plan's id and name; false with nothing selected.
    virtual bool GetSelectedPlan(long& /*planID*/, QString& /*planName*/) const { return false; }
    // Selects the plan's entry; false when the list has none.
    virtual bool SelectPlan(long /*planID*/) { return false; }
    // The plan requirement run; planID -1 is the selected plan. A null engine runs no batches.
    virtual bool SimulatePlan(long /*planID*/, bool /*readName*/, EngineEntry* /*engine*/,
                              bool /*simulateBatchesFirst*/)
    {
        return false;
    }
    // The pane's flag table: whether that plan can be simulated.
    virtual bool IsPlanSimulatable(long /*planID*/) const { return false; }
};

// The modal dialog over a plan's user-defined simulation sequence.
class SimSequenceDialogService {
public:
    virtual ~SimSequenceDialogService() = default;
    // True when the user confirmed and the sequence file was written.
    virtual bool DefineSimSequence(long planID, const QString& planName, QWidget* parent) = 0;
};

namespace PlanExplorer {
// Through the installed pane; false without one.
bool GetSelectedPlan(long& planID, QString& planName);
bool SelectPlan(long planID);
bool SimulatePlan(long planID, bool readName, EngineEntry* engine, bool simulateBatchesFirst);
bool IsPlanSimulatable(long planID);
// Through the installed dialog; false without one.
bool IsSimSequenceDialogInstalled();
bool DefineSimSequence(long planID, const QString& planName, QWidget* parent);
} // namespace PlanExplorer
