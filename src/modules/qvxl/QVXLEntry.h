#pragma once
// The spreadsheet reports. Each goes to a workbook at a path the user chooses (default: the project
// folder, "<title> - <scope>.xlsx"), written under a temporary name and renamed into place, and is
// opened on the desktop only while the program's window shows. A failure shows one message naming
// the file or the missing results and answers false; Cancel writes nothing and answers false.

#include <QList>
#include <QString>

constexpr long QVXL_CASE_COMPARE_REPORT = 300;
constexpr long QVXL_EQUIPMENT_REPORT = 400;
constexpr long QVXL_MATERIAL_REPORT = 401;
constexpr long QVXL_UTILITY_REPORT = 402;

class QVXLEntry {
public:
    // 400: the equipment TempEquipmentIDTable of the equipment database holds, over every facility
    // (scope -1) or one step (its id). 401/402: the materials or utilities TempMaterialIDTable or
    // TempUtilityIDTable of the materials working copy holds, for the project (-1) or a step.
    bool dataReport(long reportCode, long scopeID);
    // 300: a column per step, the base first, from their results files; a step without results is
    // named in a message and nothing is written.
    bool caseCompareReport(int reportCode, long baseStepID, const QList<long>& stepIDs);
    // The run reports of a process, step or plan: reportCode is a ReportID of [ReportOptions] (its
    // ReportName is the title); sheets Summary, Schedule and Remarks of the results file. An unknown
    // code or a missing results file fails.
    bool processReport(int reportCode, long id);
    bool stepReport(int reportCode, long id);
    bool planReport(int reportCode, long id);
};
