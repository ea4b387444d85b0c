#include "simulation/PlanMaterialLookup.h"

#include "foundation/db/material/MaterialCommonSet.h"
#include "foundation/db/material/MaterialPropertySet.h"

#include "simulation/PlanFactorItem.h"

MaterialLookup LookUpMaterialName(long materialID, QString* name)
{
    CMaterialCommonSet* master = CMaterialCommonSet::Instance();
    master->SetErrorMode(DaoErrorMode::Quiet);
    bool found = false;
    if (!master->ReadMaterialName(materialID, name, &found))
        return MaterialLookup::NotOpen;
    return found ? MaterialLookup::Found : MaterialLookup::Missing;
}

double StoredMolecularWeight(long materialID)
{
    CMaterialPropertySet* properties = CMaterialPropertySet::Instance();
    properties->SetErrorMode(DaoErrorMode::Quiet);
    return properties->ReadDoubleValue(materialID, 1);
}

double MolecularWeightOrDefault(long materialID)
{
    const double stored = StoredMolecularWeight(materialID);
    return stored >= PLAN_UNSET ? PLAN_DEFAULT_MW : stored;
}
