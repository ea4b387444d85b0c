#pragma once
// [QryReportVersionsByReportID]: the versions of one report, by VersionID. An open set re-queries
// with the new report.

#include "foundation/db/recordsets/DaoRecordset.h"

class CQryReportVersion : public CDaoRecordset {
public:
    CQryReportVersion() : CDaoRecordset(Definition()) {}
    bool OpenSet(long reportID);
    void CloseSet() { CDaoRecordset::CloseSet(); }
    static const DaoRecordsetDef& Definition();
};
