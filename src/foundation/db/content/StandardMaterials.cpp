// The material library of the blank project template: common pure components a new project can
// charge at once, with the molecular weight (kg/kmol) and density (kg/m3, 20 C and 1 atm) the
// engine's balance reads.

#include "foundation/db/content/ProjectGenerator.h"

namespace {

struct StandardMaterial {
    const char* name;
    const char* phase;
    double molecularWeight;
    double density;
    const char* casCode;
};

constexpr StandardMaterial STANDARD_MATERIALS[] = {
    {"Water", "Liquid", 18.015, 998.2, "7732-18-5"},
    {"Nitrogen", "Gas", 28.014, 1.165, "7727-37-9"},
    {"Oxygen", "Gas", 31.999, 1.331, "7782-44-7"},
    {"Carbon Dioxide", "Gas", 44.010, 1.842, "124-38-9"},
    {"Hydrogen Chloride", "Gas", 36.461, 1.52, "7647-01-0"},
    {"Toluene", "Liquid", 92.141, 866.9, "108-88-3"},
    {"Methanol", "Liquid", 32.042, 791.8, "67-56-1"},
    {"Ethanol", "Liquid", 46.069, 789.3, "64-17-5"},
    {"Isopropanol", "Liquid", 60.096, 785.5, "67-63-0"},
    {"Acetone", "Liquid", 58.080, 790.8, "67-64-1"},
    {"Ethyl Acetate", "Liquid", 88.106, 900.3, "141-78-6"},
    {"Dichloromethane", "Liquid", 84.933, 1326.6, "75-09-2"},
    {"Tetrahydrofuran", "Liquid", 72.107, 889.2, "109-99-9"},
    {"Heptane", "Liquid", 100.205, 683.8, "142-82-5"},
    {"Acetonitrile", "Liquid", 41.053, 786.0, "75-05-8"},
    {"Acetic Acid", "Liquid", 60.052, 1049.0, "64-19-7"},
    {"Sulfuric Acid", "Liquid", 98.079, 1830.2, "7664-93-9"},
    {"Sodium Hydroxide", "Solid", 39.997, 2130.0, "1310-73-2"},
    {"Sodium Chloride", "Solid", 58.443, 2165.0, "7647-14-5"},
};

} // namespace

QList<MaterialSpec> CProjectGenerator::StandardMaterials()
{
    QList<MaterialSpec> materials;
    long id = 0;
    for (const StandardMaterial& row : STANDARD_MATERIALS)
        materials.append({++id, QString::fromLatin1(row.name), QString::fromLatin1(row.phase),
                          row.molecularWeight, QString::fromLatin1(row.casCode), true, row.density});
    return materials;
}
