#include "foundation/db/step/DesignSpecsSet.h"

CDesignSpecsSet::CDesignSpecsSet() : CDaoRecordset(Definition())
{
    SetErrorMode(DaoErrorMode::Quiet);
}

const DaoRecordsetDef& CDesignSpecsSet::Definition()
{
    static const DaoRecordsetDef def{
        "SELECT StepID, Amount, AmountUOM, TimeHorizon, TimeHorizonUOM, FacilityID, FacilityName, Heuristic"
        " FROM DesignSpecifications WHERE StepID = :pStepID",
        {{"DesignSpecifications", {"StepID"}}},
        {{"StepID", DaoFieldType::Long},
         {"Amount", DaoFieldType::Double},
         {"AmountUOM", DaoFieldType::Text},
         {"TimeHorizon", DaoFieldType::Double},
         {"TimeHorizonUOM", DaoFieldType::Text},
         {"FacilityID", DaoFieldType::Long},
         {"FacilityName", DaoFieldType::Text},
         {"Heuristic", DaoFieldType::Text}}};
    return def;
}

bool CDesignSpecsSet::OpenSet(long stepID)
{
    SetParameter("pStepID", qlonglong(stepID));
    return OpenOnStepDatabase(stepID);
}

DesignTargets CDesignSpecsSet::Targets() const
{
    DesignTargets values;
    if (!IsOpen() || IsEOF())
        return values;
    const auto number = [this](const char* name) { return IsFieldNull(name) ? 1e35 : GetDouble(name); };
    values.amount = number("Amount");
    values.amountUOM = GetText("AmountUOM");
    values.timeHorizon = number("TimeHorizon");
    values.timeHorizonUOM = GetText("TimeHorizonUOM");
    values.facilityID = IsFieldNull("FacilityID") ? -1 : GetLong("FacilityID");
    values.facilityName = GetText("FacilityName");
    values.heuristic = GetText("Heuristic");
    return values;
}

void CDesignSpecsSet::SetTargets(const DesignTargets& values)
{
    SetDouble("Amount", values.amount);
    SetText("AmountUOM", values.amountUOM);
    SetDouble("TimeHorizon", values.timeHorizon);
    SetText("TimeHorizonUOM", values.timeHorizonUOM);
    SetLong("FacilityID", values.facilityID);
    SetText("FacilityName", values.facilityName);
    SetText("Heuristic", values.heuristic);
}
