#include "shell/bridge/ImplementedZEVKCallBack.h"

#include "foundation/common/UnitConversion.h"

namespace {
ImplementedZEVKCallBack::QvzFileLookup& qvzFileLookup()
{
    static ImplementedZEVKCallBack::QvzFileLookup lookup;
    return lookup;
}
} // namespace

void ImplementedZEVKCallBack::SetQvzFileLookup(QvzFileLookup lookup) { qvzFileLookup() = std::move(lookup); }

bool ImplementedZEVKCallBack::GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder,
                                                                    const QString& name, QString& out) const
{
    const QvzFileLookup& lookup = qvzFileLookup();
    return lookup ? lookup(kind, folder, name, out) : false;
}

double ImplementedZEVKCallBack::ConversionUserToInternal(const QString& unit, double value, double molecularWeight,
                                                         double density) const
{
    return UserToInternal(unit, value, molecularWeight, density);
}
