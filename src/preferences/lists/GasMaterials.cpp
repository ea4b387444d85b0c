#include "preferences/lists/GasMaterials.h"

#include "foundation/db/material/QueryMaterialForPhase.h"

bool ReadGasMaterials(QList<GasMaterial>* gases)
{
    CQueryMaterialForPhase set;
    if (!set.OpenSet(QStringLiteral("Gas")))
        return false;
    gases->clear();
    for (; !set.IsEOF(); set.MoveNext())
        gases->append({set.GetLong(QStringLiteral("MaterialID")), set.GetText(QStringLiteral("MaterialName"))});
    set.CloseSet();
    return true;
}

const GasMaterial* FindGasById(const QList<GasMaterial>& gases, double value)
{
    for (const GasMaterial& gas : gases)
        if (double(gas.id) == value)
            return &gas;
    return nullptr;
}

const GasMaterial* FindGasByName(const QList<GasMaterial>& gases, const QString& name)
{
    for (const GasMaterial& gas : gases)
        if (gas.name.compare(name, Qt::CaseInsensitive) == 0)
            return &gas;
    return nullptr;
}
