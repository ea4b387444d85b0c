#include "foundation/db/material/MaterialDataSource.h"

namespace {

struct MaterialSourceNames {
    MaterialDataSource source;
    const char* text;
    const char* commonView;
    const char* propertyTable;
};

constexpr MaterialSourceNames MATERIAL_SOURCES[] = {
    {MaterialDataSource::Project, "", "QryMaterialCommonSet", "ActualMaterialProperty"},
    {MaterialDataSource::PureComponents, "Halvorix Pure Components", "qryMaterialCommonPureComponent",
     "PureCompsAMP"},
    {MaterialDataSource::Inorganics, "Halvorix Inorganics", "qryMaterialCommonInorganic", "InorganicsAMP"},
    {MaterialDataSource::Solids, "Halvorix Solids", "qryMaterialCommonSolid", "SolidsAMP"},
};

const MaterialSourceNames* MaterialSourceNamesOf(MaterialDataSource source)
{
    for (const MaterialSourceNames& names : MATERIAL_SOURCES) {
        if (names.source == source)
            return &names;
    }
    return nullptr;
}

} // namespace

MaterialDataSource MaterialDataSourceOf(const QString& text)
{
    for (const MaterialSourceNames& names : MATERIAL_SOURCES) {
        if (text.compare(QLatin1String(names.text), Qt::CaseInsensitive) == 0)
            return names.source;
    }
    return MaterialDataSource::Unknown;
}

QString MaterialCommonSourceOf(MaterialDataSource source)
{
    const MaterialSourceNames* names = MaterialSourceNamesOf(source);
    return names ? QLatin1String(names->commonView) : QString();
}

QString MaterialPropertyTableOf(MaterialDataSource source)
{
    const MaterialSourceNames* names = MaterialSourceNamesOf(source);
    return names ? QLatin1String(names->propertyTable) : QString();
}
