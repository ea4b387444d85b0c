#include "foundation/db/project/QryReportVersion.h"

const DaoRecordsetDef& CQryReportVersion::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ReportID, VersionID, VersionName FROM QryReportVersionsByReportID"
        " WHERE ReportID = :pReportID ORDER BY VersionID",
        {},
        {{"ReportID", DaoFieldType::Long}, {"VersionID", DaoFieldType::Long}, {"VersionName", DaoFieldType::Text}}};
    return def;
}

bool CQryReportVersion::OpenSet(long reportID)
{
    SetParameter("pReportID", qlonglong(reportID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
