#include "foundation/db/ProjectGenerator.h"

#include "foundation/db/SchemaBuilder.h"

#include <QDir>
#include <QFile>

namespace {

constexpr double UNSET = 1e35;

QVariant NullableNumber(double value)
{
    return value >= UNSET ? QVariant() : QVariant(value);
}

} // namespace

QString CProjectGenerator::StepFileName(long stepID)
{
    return QStringLiteral("STEP_%1.STP").arg(stepID);
}

bool CProjectGenerator::Track(const QString& path)
{
    if (QFileInfo::exists(path)) {
        m_errorText = QStringLiteral("%1 already exists").arg(path);
        return false;
    }
    m_written << path;
    return true;
}

void CProjectGenerator::RemoveWritten()
{
    for (const QString& path : std::as_const(m_written))
        QFile::remove(path);
    m_written.clear();
}

bool CProjectGenerator::WriteBlankTemplate(const QString& folder, const QString& name)
{
    m_errorText.clear();
    m_written.clear();
    if (!QDir().mkpath(folder)) {
        m_errorText = QStringLiteral("Cannot create folder %1").arg(folder);
        return false;
    }
    const QString base = QDir(folder).filePath(name);
    const QList<QPair<DatabaseKind, QString>> files = {{DatabaseKind::Project, base + QStringLiteral(".qvt")},
                                                       {DatabaseKind::Equipment, base + QStringLiteral(".eqt")},
                                                       {DatabaseKind::Material, base + QStringLiteral(".mtt")}};
    for (const auto& [kind, path] : files) {
        if (!Track(path) || !CSchemaBuilder::Build(kind, path, &m_errorText)) {
            RemoveWritten();
            return false;
        }
    }
    return true;
}

bool CProjectGenerator::Write(const ProjectSpec& spec, const QString& folder)
{
    m_errorText.clear();
    m_written.clear();
    if (!QDir().mkpath(folder)) {
        m_errorText = QStringLiteral("Cannot create folder %1").arg(folder);
        return false;
    }
    const QString base = QDir(folder).filePath(spec.name);
    bool done = WriteProjectDatabase(spec, base + QStringLiteral(".prj")) &&
                WriteEquipmentDatabase(spec, base + QStringLiteral(".eqm")) &&
                WriteMaterialDatabase(spec, base + QStringLiteral(".mtl"));
    for (qsizetype i = 0; done && i < spec.steps.size(); ++i)
        done = WriteStepDatabase(spec.steps.at(i), QDir(folder).filePath(StepFileName(spec.steps.at(i).stepID)));
    if (!done)
        RemoveWritten();
    return done;
}

bool CProjectGenerator::WriteProjectDatabase(const ProjectSpec& spec, const QString& path)
{
    if (!Track(path))
        return false;
    CSchemaBuilder db(DatabaseKind::Project);
    bool done = db.Create(path) &&
                db.Execute(QStringLiteral("UPDATE Project SET ProjectName = ?, Description = ?, ProcessCounter = ?, "
                                          "StepCounter = ? WHERE ProjectID = ?"),
                           {spec.name, spec.description, qlonglong(spec.processes.size()),
                            qlonglong(spec.steps.size()), qlonglong(PROJECT_ID)}) &&
                db.Execute(QStringLiteral("INSERT INTO Preferences (PreferencesID, Description) VALUES (1, ?)"),
                           {spec.name}) &&
                db.Execute(QStringLiteral("INSERT OR REPLACE INTO Options (OptionsID, Description) VALUES (1, ?)"),
                           {spec.name}) &&
                // Comments and ranges shown, each with the type it shows (the Options sheet needs one).
                db.Execute(QStringLiteral("INSERT INTO TextRecipeOptions (Options, Value) VALUES ('Comments', 1), "
                                          "('Ranges', 1), ('CommentTypeID', 1), ('RangeTypeID', 1)"));
    for (qsizetype i = 0; done && i < spec.steps.size(); ++i) {
        const StepSpec& step = spec.steps.at(i);
        done = db.Execute(QStringLiteral("INSERT INTO ProjectStep (StepID, StepName, StepVersionName, Description) "
                                         "VALUES (?, ?, ?, ?)"),
                          {qlonglong(step.stepID), step.name, step.version, step.description});
    }
    for (qsizetype i = 0; done && i < spec.processes.size(); ++i) {
        const ProcessSpec& process = spec.processes.at(i);
        done = db.Execute(QStringLiteral("INSERT INTO Process (ProcessID, ProcessName, ProcessVersionName, "
                                         "Description, FinalProductMaterialID, KeyRawMaterialID, OutputUOMSetID) "
                                         "VALUES (?, ?, ?, ?, ?, ?, -1)"),
                          {qlonglong(process.processID), process.name, process.version, process.description,
                           qlonglong(process.finalProductID), qlonglong(process.keyRawMaterialID)}) &&
               db.Execute(QStringLiteral("INSERT INTO \"Process-To-Project\" (ProjectID, ProcessID, ProcessName, "
                                         "ProcessVersionName) VALUES (?, ?, ?, ?)"),
                          {qlonglong(PROJECT_ID), qlonglong(process.processID), process.name, process.version});
        for (qsizetype order = 0; done && order < process.stepIDs.size(); ++order)
            done = db.Execute(QStringLiteral("INSERT INTO \"Step-To-Process\" (StepID, ProcessID, StepOrder) "
                                             "VALUES (?, ?, ?)"),
                              {qlonglong(process.stepIDs.at(order)), qlonglong(process.processID),
                               qlonglong(order + 1)});
    }
    done = done && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

bool CProjectGenerator::WriteEquipmentDatabase(const ProjectSpec& spec, const QString& path)
{
    if (!Track(path))
        return false;
    CSchemaBuilder db(DatabaseKind::Equipment);
    const qlonglong plant = PLANT_ID;
    bool done = db.Create(path) &&
                db.Execute(QStringLiteral("INSERT INTO Plant (PlantID, PlantName, Address, CalendarID, City, Country, "
                                          "State) VALUES (?, ?, '1 Works Road', NULL, 'Ridgemont', 'USA', 'NJ')"),
                           {plant, spec.plantName}) &&
                db.Execute(QStringLiteral("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) "
                                          "VALUES (?, ?, ?)"),
                           {plant, qlonglong(PROJECT_ID), spec.plantName}) &&
                db.Execute(QStringLiteral("INSERT INTO Factory (FactoryID, FactoryName) VALUES (1, 'Main Factory')")) &&
                db.Execute(QStringLiteral("INSERT INTO Building (BuildingID, BuildingName) VALUES (1, 'Building 1')")) &&
                db.Execute(QStringLiteral("INSERT INTO Area (AreaID, AreaName) VALUES (1, 'Synthesis Bay')"));
    for (qsizetype i = 0; done && i < spec.equipment.size(); ++i) {
        const EquipmentSpec& item = spec.equipment.at(i);
        done = db.Execute(QStringLiteral("INSERT OR IGNORE INTO EquipmentClass (EquipmentClassID, ClassName) "
                                         "VALUES (?, ?)"),
                          {qlonglong(item.classID), item.className}) &&
               db.Execute(QStringLiteral("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, "
                                         "EquipmentClassID, EquipmentType, PlantID, FactoryID, BuildingID, AreaID, "
                                         "NumberOfUnits, Capacity, CapacityUOM) VALUES (?, ?, ?, ?, ?, 1, 1, 1, 1, "
                                         "?, 'liter')"),
                          {qlonglong(item.equipmentID), item.tag, qlonglong(item.classID), item.className, plant,
                           NullableNumber(item.volume)}) &&
               db.Execute(QStringLiteral("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, "
                                         "DoubleValue, ValueUOM) VALUES (?, 'Volume', ?, 'liter')"),
                          {qlonglong(item.equipmentID), NullableNumber(item.volume)});
    }
    done = done && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

bool CProjectGenerator::WriteMaterialDatabase(const ProjectSpec& spec, const QString& path)
{
    if (!Track(path))
        return false;
    CSchemaBuilder db(DatabaseKind::Material);
    bool done = db.Create(path);
    for (qsizetype i = 0; done && i < spec.materials.size(); ++i) {
        const MaterialSpec& material = spec.materials.at(i);
        done = db.Execute(QStringLiteral("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName, CASCode, "
                                         "DataSource, Phase) VALUES (?, ?, ?, '', ?)"),
                          {qlonglong(material.materialID), material.name, material.casCode, material.phase}) &&
               db.Execute(QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, "
                                         "DoubleValue, ValueUOM) VALUES (?, 1, ?, 'g/gmol')"),
                          {qlonglong(material.materialID), NullableNumber(material.molecularWeight)});
    }
    done = done && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}
