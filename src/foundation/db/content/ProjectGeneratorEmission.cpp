// The generator's vapour emission rows: further control paths, default paths, worst-case statuses
// and non-condensable gases.

#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

namespace {

QVariant IdOrNull(long id)
{
    return id < 0 ? QVariant() : QVariant(qlonglong(id));
}

} // namespace

bool CProjectGenerator::WriteEmissionPath(CSchemaBuilder& db, const EmissionPathSpec& path)
{
    bool done = db.Execute(QStringLiteral("INSERT INTO TblEmissionControlPath (EmissionControlPathID, PlantID, "
                                          "EmissionControlPathName, FinalDestinationEquipmentID, FinalVaporStreamName) "
                                          "VALUES (?, ?, ?, ?, ?)"),
                           {qlonglong(path.pathID), qlonglong(path.plantID), path.name,
                            IdOrNull(path.finalDestinationID), path.finalVaporStream});
    for (qsizetype i = 0; done && i < path.sequence.size(); ++i)
        done = db.Execute(QStringLiteral("INSERT INTO TblECPEquipmentSequence (EmissionControlPathID, EquipmentID, "
                                         "SequenceNumber) VALUES (?, ?, ?)"),
                          {qlonglong(path.pathID), qlonglong(path.sequence.at(i)), qlonglong(i + 1)});
    return done;
}

bool CProjectGenerator::WriteEmissionPreferences(CSchemaBuilder& db, const ProjectSpec& spec)
{
    bool done = true;
    for (qsizetype i = 0; done && i < spec.emissionPaths.size(); ++i)
        done = WriteEmissionPath(db, spec.emissionPaths.at(i));
    for (qsizetype i = 0; done && i < spec.defaultPaths.size(); ++i) {
        const DefaultPathSpec& row = spec.defaultPaths.at(i);
        done = db.Execute(QStringLiteral("INSERT INTO \"PREFER-DefaultECP\" (PlantID, EquipmentID, "
                                         "EmissionControlPathID) VALUES (?, ?, ?)"),
                          {qlonglong(row.plantID), qlonglong(row.equipmentID), qlonglong(row.pathID)});
    }
    for (qsizetype i = 0; done && i < spec.worstCases.size(); ++i) {
        const WorstCaseSpec& row = spec.worstCases.at(i);
        done = db.Execute(QStringLiteral("INSERT OR REPLACE INTO \"PREFER-MaximumEmissions\" (AirEmissionModelID, "
                                         "Parameter, Value) VALUES (?, ?, ?)"),
                          {qlonglong(row.modelID), row.parameter, row.status});
    }
    for (qsizetype i = 0; done && i < spec.nonCondensableIDs.size(); ++i)
        done = db.Execute(QStringLiteral("INSERT INTO \"PREFER-NonCondensableMaterials\" (MaterialID) VALUES (?)"),
                          {qlonglong(spec.nonCondensableIDs.at(i))});
    return done;
}
