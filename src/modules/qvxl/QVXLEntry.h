#pragma once
// The spreadsheet reports. Report 400 over every facility (id -1) lists the equipment whose ids
// TempEquipmentIDTable of the equipment database holds, one row each, in a workbook at a path the
// user chooses; the workbook is opened on the desktop while the program's window shows.

#include <QString>

constexpr long QVXL_EQUIPMENT_REPORT = 400;

class QVXLEntry {
public:
    // True when the workbook was written; other reports and scopes are not built and answer false.
    bool dataReport(long reportCode, long scopeID);

private:
    static QString ChooseWorkbookPath();
};
