#include "foundation/db/project/PreferEmissionPathSet.h"

const DaoRecordsetDef& CPreferEmissionPathSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT PlantID, EquipmentID, EmissionControlPathID, RowKey FROM [PREFER-DefaultECP]"
        " WHERE PlantID = :pPlantID ORDER BY RowKey",
        {{"PREFER-DefaultECP", {"RowKey"}}},
        {{"PlantID", DaoFieldType::Long},
         {"EquipmentID", DaoFieldType::Long},
         {"EmissionControlPathID", DaoFieldType::Long},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CPreferEmissionPathSet::OpenSet(long plantID)
{
    if (IsOpen())
        return true;
    SetParameter(QStringLiteral("pPlantID"), qlonglong(plantID));
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
