#pragma once
// What the scripting objects ask of the main frame: the window, the end of the program and the
// frame operations that simulate, report, chart and scale for a script. The frame implements it;
// an operation the frame cannot run yet answers NotAvailable (its default body), and nothing of
// the context or the engine is touched then.

#include <QString>

struct AutomationRunOutcome {
    enum Kind { Done, NotAvailable, Failed, InvalidArgument };
    Kind kind = NotAvailable;
    QString text;        // why it failed
    int engineCode = -1; // the engine's code of this call; -1 when the engine did not run
};

class AutomationFrameServices {
public:
    virtual ~AutomationFrameServices() = default;
    virtual bool GetApplicationVisible() const { return false; }
    virtual void SetApplicationVisible(bool /*show*/) {}
    // Whether the user, not a script, decides when the program ends.
    virtual void SetUserControl(bool /*userControl*/) {}
    // Queues the main window's close, which asks and ends like the user's close.
    virtual void QueueQuit() {}
    // Moves the status-bar progress the caller began and repaints the bar.
    virtual void ReportProgress(long /*percent*/) {}

    virtual AutomationRunOutcome AutomationSimulateStep(long /*stepID*/, const QString& /*name*/) { return {}; }
    virtual AutomationRunOutcome AutomationSimulateProcess(long /*processID*/, const QString& /*name*/) { return {}; }
    virtual AutomationRunOutcome AutomationSimulatePlan(long /*planID*/, const QString& /*name*/) { return {}; }
    virtual AutomationRunOutcome AutomationExcelReport(const QString& /*kind*/, int /*reportCode*/, long /*id*/)
    {
        return {};
    }
    virtual AutomationRunOutcome AutomationShowGanttChart(const QString& /*kind*/, const QString& /*name*/, long /*id*/)
    {
        return {};
    }
    virtual AutomationRunOutcome AutomationScaleRecipe(long /*stepID*/, const QString& /*name*/, long /*target*/,
                                                       long /*option*/, double /*value*/, const QString& /*unit*/,
                                                       double /*value2*/)
    {
        return {};
    }
};

// The installed frame services; a do-nothing instance without one.
AutomationFrameServices& GetAutomationFrameServices();
