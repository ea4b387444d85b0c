#pragma once
// Runs a custom report on the results of a step, process or plan through the installed
// custom-report component (ServiceSlot<CustomReportComponentFactory>). Failures are shown to the
// user as "Error in Custom Report component. %s".

#include <QString>

// What a custom report runs on: "Step", "Process" or "Plan" and its id (-1 when none).
struct CustomReportScope {
    QString kind;
    long id = -1;
};

// The context the custom-report command reads its scope from.
struct CustomReportContext {
    bool processExplorerActive = false;
    long selectedProcessID = -1; // in the Process Explorer
    long selectedStepID = -1;    // in the Process Explorer
    long currentPlanID = -1;     // a plan list, schedule or 3-D context
    long currentStepID = -1;
};

CustomReportScope ChooseCustomReportScope(const CustomReportContext& context);

class CQVCustomReportHelper {
public:
    virtual ~CQVCustomReportHelper() = default;

    void RunCustomReport(long id, const QString& kind, const QString& reportFile);

    // <project folder>QVSTEP_<id>.mdb (QVPROC_, QVPLAN_); "" for any other kind.
    static QString ResultsDatabasePath(long id, const QString& kind);
    // <working copy folder><project name>.wc
    static QString WorkingCopyPath();
};

// The custom-report command: the user picks a definition (Cancel: nothing runs), the report runs
// on the scope, and the definition's path is answered for the recent list ("" after Cancel).
QString RunCustomReportCommand(CQVCustomReportHelper& helper, const CustomReportScope& scope);
