#include "foundation/db/content/LibraryDemo.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QDir>

namespace {
constexpr long PROJECT_TOLUENE_ID = 3, PROJECT_METHANOL_ID = 4, PROJECT_R101_ID = 101;
constexpr long LIBRARY_TOLUENE = 501, LIBRARY_METHANOL = 502, LIBRARY_WASH_SOLVENT = 503, LIBRARY_R101 = 601;

bool RunLibraryStatements(CSchemaBuilder& db, const QStringList& statements)
{
    for (const QString& sql : statements) {
        if (!db.Execute(sql))
            return false;
    }
    return true;
}
} // namespace

bool CLibraryDemo::Write(const QString& folder)
{
    ProjectSpec spec = CProjectGenerator::DemoProject();
    spec.name = QStringLiteral("LibraryDemo");
    spec.description = QStringLiteral("Sample project: the Demo with materials and equipment from its libraries.");
    spec.materials << MaterialSpec{WASH_SOLVENT, QStringLiteral("Wash Solvent"), QStringLiteral("Liquid"), 40.0, {}}
                   << MaterialSpec{WATER_2, QStringLiteral("Water (2)"), QStringLiteral("Liquid"), 18.02, {}};
    CProjectGenerator generator;
    if (!generator.Write(spec, folder)) {
        m_errorText = generator.ErrorText();
        return false;
    }
    const QString libraries = QDir(folder).filePath(QStringLiteral("Libraries"));
    if (!QDir().mkpath(libraries)) {
        m_errorText = QStringLiteral("Cannot create %1").arg(libraries);
        return false;
    }
    return WriteMaterialLibrary(QDir(folder).filePath(MaterialLibraryLocation())) &&
           WriteEquipmentLibrary(QDir(folder).filePath(EquipmentLibraryLocation())) && AddImports(folder);
}

bool CLibraryDemo::WriteMaterialLibrary(const QString& path)
{
    CSchemaBuilder db(DatabaseKind::Material);
    const bool done =
        db.Create(path) &&
        RunLibraryStatements(db, {QStringLiteral("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName, CASCode, Phase) VALUES "
                                "(501, 'Toluene', '108-88-3', 'Liquid'), (502, 'Methanol', '67-56-1', 'Liquid'), "
                                "(503, 'Wash Solvent', NULL, 'Liquid'), (504, 'Water', '7732-18-5', 'Liquid'), "
                                "(505, 'Acetone', '67-64-1', 'Liquid')"),
                 QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, DoubleValue, "
                                "ValueUOM) VALUES (501, 1, 92.14, 'g/gmol'), (502, 1, 32.042, 'g/gmol'), "
                                "(503, 1, 41.5, 'g/gmol'), (504, 1, 18.015, 'g/gmol'), (505, 1, 58.08, 'g/gmol')"),
                 QStringLiteral("INSERT INTO Mixture (MaterialID, ComponentID, Phase, Amount, AmountUOM) VALUES "
                                "(503, 504, 'Liquid', 30, 'wt%'), (503, 505, 'Liquid', 70, 'wt%')"),
                 QStringLiteral("UPDATE ActualMaterialCommon SET LibraryStamp = %1").arg(LIBRARY_STAMP)}) &&
        db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

bool CLibraryDemo::WriteEquipmentLibrary(const QString& path)
{
    CSchemaBuilder db(DatabaseKind::Equipment);
    const bool done =
        db.Create(path) &&
        RunLibraryStatements(db, {QStringLiteral("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (7, 'Reactor')"),
                 QStringLiteral("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, "
                                "EquipmentType, PlantID, NumberOfUnits, Capacity, CapacityUOM, MaterialOfConstruction) "
                                "VALUES (601, 'R-101', 7, 'Reactor', 900, 1, 2200, 'liter', 'SS316L')"),
                 QStringLiteral("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, DoubleValue, "
                                "ValueUOM) VALUES (601, 'Volume', 2200, 'liter'), (601, 'Capacity', 2200, 'liter')"),
                 QStringLiteral("UPDATE ActualEquipmentCommon SET LibraryStamp = %1").arg(LIBRARY_STAMP)}) &&
        db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

// Toluene was copied at the libraries' stamp; the other three before it.
bool CLibraryDemo::AddImports(const QString& folder)
{
    const QString insert = QStringLiteral("INSERT INTO LibraryImport (LocalID, ServerID, ServerLocation, ImportStamp) "
                                          "VALUES (?, ?, ?, ?)");
    try {
        CDaoDatabase materials;
        materials.Open(QDir(folder).filePath(QStringLiteral("LibraryDemo.mtl")));
        materials.BeginTrans();
        const QString location = MaterialLibraryLocation();
        materials.Execute(insert, {qlonglong(PROJECT_TOLUENE_ID), qlonglong(LIBRARY_TOLUENE), location, LIBRARY_STAMP});
        materials.Execute(insert, {qlonglong(PROJECT_METHANOL_ID), qlonglong(LIBRARY_METHANOL), location, OLD_IMPORT_STAMP});
        materials.Execute(insert, {qlonglong(WASH_SOLVENT), qlonglong(LIBRARY_WASH_SOLVENT), location, OLD_IMPORT_STAMP});
        materials.CommitTrans();
        CDaoDatabase equipment;
        equipment.Open(QDir(folder).filePath(QStringLiteral("LibraryDemo.eqm")));
        equipment.Execute(insert, {qlonglong(PROJECT_R101_ID), qlonglong(LIBRARY_R101), EquipmentLibraryLocation(), OLD_IMPORT_STAMP});
        return true;
    } catch (const CDaoException& e) {
        m_errorText = e.GetErrorDescription();
        return false;
    }
}
