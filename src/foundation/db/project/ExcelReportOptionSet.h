#pragma once
// [ReportOptions]: the chosen version of each spreadsheet report, by ReportID. VersionID + 1000
// means the report's data filter is on.

#include "foundation/db/recordsets/DaoRecordset.h"

class CExcelReportOptionSet : public CDaoRecordset {
public:
    CExcelReportOptionSet() : CDaoRecordset(Definition()) {}
    bool OpenSet();
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
