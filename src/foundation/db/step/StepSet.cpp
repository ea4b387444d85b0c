#include "foundation/db/step/StepSet.h"

const DaoRecordsetDef& CStepSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepID, StepName, StepVersionName, Description, PlantID, KeyInputIntermediateID,"
        " KeyOutputIntermediateID, InputIntermediate2ID, InputIntermediate3ID,"
        " OutputIntermediate2ID, OutputIntermediate3ID, InputUOMSetID, OutputUOMSetID,"
        " CleaningFlag, OperatingInstructionsTemplatePath, BatchSizeBase, StartDateTime, BatchSize,"
        " BatchSizeUOM, ScaleFactor, PrevScalingOption, UndoPrevScalingDone, PrevScaledBatchSize,"
        " MaximumBatchSize, MinimumBatchSize, OriginalBatchSize, KeyInputBatchSize, CycleTime,"
        " CycleTimeUOM, NumberOfBatches, CampaignName, Author, CreatedDate, ModifiedDate,"
        " SimulationStatus, NeedsResimulation, ResultsVersion, Notes, ProductFactor, II2ProductFactor,"
        " II3Productfactor, OI2ProductFactor, OI3Productfactor, BatchSizeMW FROM Step ORDER BY StepID",
        {{"Step", {"StepID"}}},
        {{"StepID", DaoFieldType::Long},
         {"StepName", DaoFieldType::Text},
         {"StepVersionName", DaoFieldType::Text},
         {"Description", DaoFieldType::Text},
         {"PlantID", DaoFieldType::Long},
         {"KeyInputIntermediateID", DaoFieldType::Long},
         {"KeyOutputIntermediateID", DaoFieldType::Long},
         {"InputIntermediate2ID", DaoFieldType::Long},
         {"InputIntermediate3ID", DaoFieldType::Long},
         {"OutputIntermediate2ID", DaoFieldType::Long},
         {"OutputIntermediate3ID", DaoFieldType::Long},
         {"InputUOMSetID", DaoFieldType::Long},
         {"OutputUOMSetID", DaoFieldType::Long},
         {"CleaningFlag", DaoFieldType::Bool},
         {"OperatingInstructionsTemplatePath", DaoFieldType::Text},
         {"BatchSizeBase", DaoFieldType::Text},
         {"StartDateTime", DaoFieldType::Date},
         {"BatchSize", DaoFieldType::Double},
         {"BatchSizeUOM", DaoFieldType::Text},
         {"ScaleFactor", DaoFieldType::Double},
         {"PrevScalingOption", DaoFieldType::Short},
         {"UndoPrevScalingDone", DaoFieldType::Bool},
         {"PrevScaledBatchSize", DaoFieldType::Double},
         {"MaximumBatchSize", DaoFieldType::Double},
         {"MinimumBatchSize", DaoFieldType::Double},
         {"OriginalBatchSize", DaoFieldType::Double},
         {"KeyInputBatchSize", DaoFieldType::Double},
         {"CycleTime", DaoFieldType::Double},
         {"CycleTimeUOM", DaoFieldType::Text},
         {"NumberOfBatches", DaoFieldType::Long},
         {"CampaignName", DaoFieldType::Text},
         {"Author", DaoFieldType::Text},
         {"CreatedDate", DaoFieldType::Date},
         {"ModifiedDate", DaoFieldType::Date},
         {"SimulationStatus", DaoFieldType::Long},
         {"NeedsResimulation", DaoFieldType::Bool},
         {"ResultsVersion", DaoFieldType::Text},
         {"Notes", DaoFieldType::Text},
         {"ProductFactor", DaoFieldType::Double},
         {"II2ProductFactor", DaoFieldType::Double},
         {"II3Productfactor", DaoFieldType::Double},
         {"OI2ProductFactor", DaoFieldType::Double},
         {"OI3Productfactor", DaoFieldType::Double},
         {"BatchSizeMW", DaoFieldType::Double}}};
    return def;
}

bool CStepSet::OpenSet(long stepID, const QString& dbPath)
{
    if (dbPath.isEmpty())
        return OpenOnStepDatabase(stepID);
    return OpenOnFile(dbPath);
}
