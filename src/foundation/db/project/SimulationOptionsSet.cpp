#include "foundation/db/project/SimulationOptionsSet.h"

const DaoRecordsetDef& CSimulationOptionsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT ProjectID, AirEmission, ResultsDatabase, OverFlow, UnderFlow, MaxDesignIterations, OptionType,"
        " AlgorithmOption, JustInTimeSchedule, FlashCalculation, StepFinalEquipmentContents,"
        " SimulationSummaryMessage, MaxCalculation, RangeTypeID, ResultsRounding, RowKey"
        " FROM QrySimulationOptionByType WHERE OptionType = :pOptionType ORDER BY RowKey",
        {{"SimulationOptions", {"RowKey"}}},
        {{"ProjectID", DaoFieldType::Long},
         {"AirEmission", DaoFieldType::Bool},
         {"ResultsDatabase", DaoFieldType::Bool},
         {"OverFlow", DaoFieldType::Bool},
         {"UnderFlow", DaoFieldType::Bool},
         {"MaxDesignIterations", DaoFieldType::Short},
         {"OptionType", DaoFieldType::Text},
         {"AlgorithmOption", DaoFieldType::Text},
         {"JustInTimeSchedule", DaoFieldType::Bool},
         {"FlashCalculation", DaoFieldType::Bool},
         {"StepFinalEquipmentContents", DaoFieldType::Bool},
         {"SimulationSummaryMessage", DaoFieldType::Bool},
         {"MaxCalculation", DaoFieldType::Bool},
         {"RangeTypeID", DaoFieldType::Long},
         {"ResultsRounding", DaoFieldType::Bool},
         {"RowKey", DaoFieldType::Long}}};
    return def;
}

bool CSimulationOptionsSet::OpenSet(const QString& optionType)
{
    SetParameter("pOptionType", optionType);
    return OpenOnProjectDatabase(QStringLiteral("Database file is not opened yet!"));
}
