#include "foundation/db/project/EmissionCtrlPathSet.h"

const DaoRecordsetDef& CEmissionCtrlPathSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT EmissionControlPathID, PlantID, EmissionControlPathName, FinalDestinationEquipmentID,"
        " FinalVaporStreamName FROM TblEmissionControlPath WHERE PlantID = :pPlantID ORDER BY EmissionControlPathID",
        {{"TblEmissionControlPath", {"EmissionControlPathID"}}},
        {{"EmissionControlPathID", DaoFieldType::Long},
         {"PlantID", DaoFieldType::Long},
         {"EmissionControlPathName", DaoFieldType::Text},
         {"FinalDestinationEquipmentID", DaoFieldType::Long},
         {"FinalVaporStreamName", DaoFieldType::Text}}};
    return def;
}

bool CEmissionCtrlPathSet::OpenSet(long plantID)
{
    SetParameter("pPlantID", qlonglong(plantID));
    return OpenOnProjectDatabase(QString());
}
