#include "foundation/db/project/PreferMaxEmissionSet.h"

const DaoRecordsetDef& CPreferMaxEmissionSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT AirEmissionModelID, Parameter, Value, RowKey FROM [PREFER-MaximumEmissions]"
        " WHERE :pAirEmissionID = -1 OR AirEmissionModelID = :pAirEmissionID ORDER BY AirEmissionModelID, RowKey",
        {{"PREFER-MaximumEmissions", {"RowKey"}}},
        {{"AirEmissionModelID", DaoFieldType::Long},
         {"Parameter", DaoFieldType::Text},
         {"Value", DaoFieldType::Text},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferMaxEmissionSet::OpenSet(long airEmissionModelID)
{
    if (IsOpen())
        return true;
    SetParameter(QStringLiteral("pAirEmissionID"), qlonglong(airEmissionModelID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
