#include "shell/bridge/ImplementedZEVKCallBack.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/UnitConversion.h"

bool ImplementedZEVKCallBack::GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder,
                                                                    const QString& name, QString& out) const
{
    QvzFileLookup* lookup = ServiceSlot<QvzFileLookup>::Get();
    return lookup && lookup->GetMaterialOrEquipmentFileFromQvzFile(kind, folder, name, out);
}

double ImplementedZEVKCallBack::ConversionUserToInternal(const QString& unit, double value,
                                                         double molecularWeight, double density) const
{
    return UserToInternal(unit, value, molecularWeight, density);
}
