#include "foundation/db/project/ExcelReportOptionSet.h"

const DaoRecordsetDef& CExcelReportOptionSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ReportID, ReportName, VersionID FROM ReportOptions ORDER BY ReportID",
        {{"ReportOptions", {"ReportID"}}},
        {{"ReportID", DaoFieldType::Long}, {"ReportName", DaoFieldType::Text}, {"VersionID", DaoFieldType::Long}}};
    return def;
}

bool CExcelReportOptionSet::OpenSet()
{
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
