#pragma once
// The frame's data-report and case-compare commands: each asks for its scope, fills the id table
// the report reads, runs the spreadsheet report and drops the table again.

#include <QList>
#include <QString>
#include <optional>

// How the commands ask for their scope: the real dialogs in the program, scripted in tests.
class ReportScopeChooser {
public:
    virtual ~ReportScopeChooser() = default;
    // -1 for the project, a step id, or nothing after Cancel.
    virtual std::optional<long> ChooseStepOrProject();
    virtual std::optional<long> ChooseStep();
    // The steps to compare with the base, or nothing after Cancel.
    virtual std::optional<QList<long>> ChooseCases(long baseStepID, const QString& baseStepName);
};

ReportScopeChooser* SetReportScopeChooser(ReportScopeChooser* chooser); // null: the dialogs
ReportScopeChooser& GetReportScopeChooser();

// "Material Data..." (33104) and "Utility Data..." (33105): true when a report was written.
bool RunMaterialDataReport();
bool RunUtilityDataReport();
// The equipment of one step (report 400 for that step).
bool RunStepEquipmentReport();
// The case comparison of the base step with the steps the user picks (report 300).
bool RunCaseCompare(long baseStepID, const QString& baseStepName);
