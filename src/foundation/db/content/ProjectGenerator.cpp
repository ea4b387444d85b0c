#include "foundation/db/content/ProjectGenerator.h"

#include "foundation/db/content/MaterialPropertyIDs.h"
#include "foundation/db/schema/SchemaBuilder.h"

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
    const QList<QPair<DatabaseKind, QString>> files = {
        {DatabaseKind::Project, base + QStringLiteral(".qvt")},
        {DatabaseKind::Equipment, base + QStringLiteral(".eqt")}};
    for (const auto& [kind, path] : files) {
        if (!Track(path) || !CSchemaBuilder::Build(kind, path, &m_errorText)) {
            RemoveWritten();
            return false;
        }
    }
    ProjectSpec materials;
    materials.materials = StandardMaterials();
    if (!WriteMaterialDatabase(materials, base + QStringLiteral(".mtt"))) {
        RemoveWritten();
        return false;
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
    done = done && WriteRecipeTexts(spec, folder);
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
                                          "('Ranges', 1), ('CommentTypeID', 1), ('RangeTypeID', 1)")) &&
                WriteEmissionControl(db, spec) && WriteEmissionPreferences(db, spec);
    for (qsizetype i = 0; done && i < spec.textRecipeFlags.size(); ++i)
        done = db.Execute(QStringLiteral("INSERT INTO TextRecipeOptions (Options, Value) VALUES (?, 1)"),
                          {spec.textRecipeFlags.at(i)});
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
                               qlonglong(process.stepOrders.value(order, order + 1))});
    }
    done = done && WritePlans(db, spec.plans) && WriteCostCategories(db, spec) && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

// The labour grades and the stream categories with their costs.
bool CProjectGenerator::WriteCostCategories(CSchemaBuilder& db, const ProjectSpec& spec)
{
    bool done = true;
    for (const LaborGradeSpec& grade : spec.laborGrades)
        done = done && db.Execute(QStringLiteral("INSERT INTO TblLaborCategory (LaborGradeID, LaborGrade, Cost, CostUOM, "
                                                 "MaxAvailableOperators) VALUES (?, ?, ?, ?, ?)"),
                                  {qlonglong(grade.laborGradeID), grade.name, NullableNumber(grade.cost), grade.costUOM,
                                   grade.maxAvailableOperators < 0 ? QVariant() : QVariant(qlonglong(grade.maxAvailableOperators))});
    for (const StreamCategorySpec& category : spec.streamCategories)
        done = done && db.Execute(QStringLiteral("INSERT INTO StreamCategoryTable (StreamCategoryID, StreamCategory, "
                                                 "DisposalCost, DisposalCostUOM) VALUES (?, ?, ?, ?)"),
                                  {qlonglong(category.streamCategoryID), category.name,
                                   NullableNumber(category.disposalCost), category.disposalCostUOM});
    return done;
}

// Each plan, its link to the project and its requirements in order.
bool CProjectGenerator::WritePlans(CSchemaBuilder& db, const QList<PlanSpec>& plans)
{
    bool done = true;
    for (qsizetype i = 0; done && i < plans.size(); ++i) {
        const PlanSpec& plan = plans.at(i);
        const qlonglong planID = plan.planID;
        done = db.Execute(QStringLiteral("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime, OutputUOMSetID) "
                                         "VALUES (?, ?, ?, ?)"),
                          {planID, plan.name, NullableNumber(plan.startDateTime), qlonglong(plan.outputUOMSetID)}) &&
               db.Execute(QStringLiteral("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) "
                                         "VALUES (?, ?, ?)"),
                          {planID, qlonglong(PROJECT_ID), plan.name});
        for (qsizetype r = 0; done && r < plan.requirements.size(); ++r) {
            const PlanRequirementSpec& need = plan.requirements.at(r);
            done = db.Execute(QStringLiteral("INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, "
                                             "Quantity, QuantityUOM, BatchTimeInterval, EarliestStartTime, "
                                             "FirstBatchOverlap, BatchTimeIntervalUOM, IntraCampaignBatchOverlap) "
                                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                              {planID, qlonglong(need.targetID), need.kind, need.quantity, need.uom,
                               NullableNumber(need.batchTimeInterval), NullableNumber(need.earliestStart),
                               need.firstBatchOverlap ? 1 : 0, need.batchTimeIntervalUOM, need.batchOverlap ? 1 : 0});
        }
    }
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
                                          "State) VALUES (?, ?, '1 Works Road', 1, 'Ridgemont', 'USA', 'NJ')"),
                           {plant, spec.plantName}) &&
                db.Execute(QStringLiteral("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) "
                                          "VALUES (?, ?, ?)"),
                           {plant, qlonglong(PROJECT_ID), spec.plantName}) &&
                db.Execute(QStringLiteral("INSERT INTO Factory (FactoryID, FactoryName) VALUES (1, 'Main Factory')")) &&
                db.Execute(QStringLiteral("INSERT INTO Building (BuildingID, BuildingName) VALUES (1, 'Building 1')")) &&
                db.Execute(QStringLiteral("INSERT INTO Area (AreaID, AreaName) VALUES (1, 'Synthesis Bay')"));
    for (qsizetype i = 0; done && i < spec.plantsWithoutEquipment.size(); ++i) {
        const qlonglong id = FIRST_EXTRA_PLANT_ID + i;
        done = db.Execute(QStringLiteral("INSERT INTO Plant (PlantID, PlantName) VALUES (?, ?)"),
                          {id, spec.plantsWithoutEquipment.at(i)}) &&
               db.Execute(QStringLiteral("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) "
                                         "VALUES (?, ?, ?)"),
                          {id, qlonglong(PROJECT_ID), spec.plantsWithoutEquipment.at(i)});
    }
    for (qsizetype i = 0; done && i < spec.equipment.size(); ++i)
        done = WriteEquipmentItem(db, spec.equipment.at(i));
    done = done && db.Execute(QStringLiteral("UPDATE ActualEquipmentCommon SET LibraryStamp = NULL")) && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

// The item in its facility, its class and type, and its "Volume", "Capacity" and
// "Material OF Construction" property rows.
bool CProjectGenerator::WriteEquipmentItem(CSchemaBuilder& db, const EquipmentSpec& item)
{
    const qlonglong plant = item.plantID;
    const qlonglong id = item.equipmentID;
    return db.Execute(QStringLiteral("INSERT OR IGNORE INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (?, ?)"),
                      {qlonglong(item.classID), item.className}) &&
           db.Execute(QStringLiteral("INSERT INTO ActualEquipmentCommon (ActualEquipmentID, QVTag, EquipmentClassID, "
                                     "EquipmentType, PlantID, FactoryID, BuildingID, AreaID, NumberOfUnits, Capacity, "
                                     "CapacityUOM, MaterialOfConstruction, Pool) VALUES (?, ?, ?, ?, ?, 1, 1, 1, 1, ?, "
                                     "'liter', ?, ?)"),
                      {id, item.tag, qlonglong(item.classID), item.type, plant, NullableNumber(item.volume),
                       item.material.isEmpty() ? QVariant() : QVariant(item.material), int(item.pool)}) &&
           db.Execute(QStringLiteral("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, "
                                     "DoubleValue, ValueUOM) VALUES (?, 'Volume', ?, 'liter'), "
                                     "(?, 'Capacity', ?, 'liter')"),
                      {id, NullableNumber(item.volume), id, NullableNumber(item.volume)}) &&
           (item.material.isEmpty() ||
            db.Execute(QStringLiteral("INSERT INTO ActualEquipmentProperty (ActualEquipmentID, PropertyName, "
                                      "TextValue) VALUES (?, 'Material OF Construction', ?)"),
                       {id, item.material}));
}

// A path of the first facility ending at its first item through the last one, and the last item
// as an emission control device with a row in each of its detail tables.
bool CProjectGenerator::WriteEmissionControl(CSchemaBuilder& db, const ProjectSpec& spec)
{
    if (spec.equipment.isEmpty())
        return true;
    const qlonglong plant = PLANT_ID;
    const qlonglong first = spec.equipment.first().equipmentID;
    const qlonglong last = spec.equipment.last().equipmentID;
    return db.Execute(QStringLiteral("INSERT INTO TblEmissionControlPath (EmissionControlPathID, PlantID, "
                                     "EmissionControlPathName, FinalDestinationEquipmentID, FinalVaporStreamName) "
                                     "VALUES (1, ?, 'Vent Header', ?, 'Vent')"),
                      {plant, first}) &&
           db.Execute(QStringLiteral("INSERT INTO TblECPEquipmentSequence (EmissionControlPathID, EquipmentID, "
                                     "SequenceNumber) VALUES (1, ?, 1), (1, ?, 2)"),
                      {last, first}) &&
           db.Execute(QStringLiteral("INSERT INTO TblEmissionControlDevice (PlantID, EquipmentID) VALUES (?, ?)"),
                      {plant, last}) &&
           db.Execute(QStringLiteral("INSERT INTO TblECDCategoryEfficiency (EquipmentID, Category, Efficiency) "
                                     "VALUES (?, 'VOC', 95.0)"), {last}) &&
           db.Execute(QStringLiteral("INSERT INTO TblECDComponentEfficiency (EquipmentID, ComponentID, Efficiency) "
                                     "VALUES (?, 1, 90.0)"), {last}) &&
           db.Execute(QStringLiteral("INSERT INTO TblECDFlashDetail (EquipmentID, CondensateDestinationID, "
                                     "Temperature, TemperatureUOM) VALUES (?, ?, 5.0, 'C')"), {last, first}) &&
           db.Execute(QStringLiteral("INSERT INTO TblECDGeneratedComponent (EquipmentID, ComponentID, Amount) "
                                     "VALUES (?, 1, 0.0)"), {last});
}

bool CProjectGenerator::WriteMaterial(CSchemaBuilder& db, const MaterialSpec& material)
{
    return db.Execute(QStringLiteral("INSERT INTO ActualMaterialCommon (MaterialID, MaterialName, CASCode, "
                                     "DataSource, Phase, MaterialTypeID) VALUES (?, ?, ?, '', ?, ?)"),
                      {qlonglong(material.materialID), material.name, material.casCode, material.phase,
                       material.pureComponent ? QVariant(1) : QVariant()}) &&
           (!material.pureComponent ||
            db.Execute(QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, "
                                      "TextValue) VALUES (?, 30, ?)"),
                       {qlonglong(material.materialID), material.phase})) &&
           db.Execute(QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, "
                                     "DoubleValue, ValueUOM) VALUES (?, 1, ?, 'g/gmol')"),
                      {qlonglong(material.materialID), NullableNumber(material.molecularWeight)}) &&
           (material.density >= UNSET ||
            db.Execute(QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, "
                                      "DoubleValue, ValueUOM) VALUES (?, ?, ?, ?)"),
                       {qlonglong(material.materialID), qlonglong(MATERIAL_PROPERTY_DENSITY),
                        material.density, QString::fromLatin1(MATERIAL_DENSITY_UOM)}));
}

bool CProjectGenerator::WriteMaterialDatabase(const ProjectSpec& spec, const QString& path)
{
    if (!Track(path))
        return false;
    CSchemaBuilder db(DatabaseKind::Material);
    bool done = db.Create(path);
    for (qsizetype i = 0; done && i < spec.materials.size(); ++i)
        done = WriteMaterial(db, spec.materials.at(i));
    for (qsizetype i = 0; done && i < spec.utilityIDs.size(); ++i)
        done =
            db.Execute(QStringLiteral("INSERT INTO ActualMaterialProperty (MaterialID, MaterialPropertyID, "
                                      "IntegerValue) VALUES (?, 469, 1)"),
                       {qlonglong(spec.utilityIDs.at(i))});
    for (qsizetype i = 0; done && i < spec.reactionDataSets.size(); ++i)
        done = WriteReactionDataSet(db, spec.reactionDataSets.at(i));
    // Generated files carry no change times: what the stamp triggers wrote is cleared again.
    done = done && db.Execute(QStringLiteral("UPDATE ActualMaterialCommon SET LibraryStamp = NULL")) && db.Finish();
    if (!done)
        m_errorText = db.ErrorText();
    return done;
}

bool CProjectGenerator::WriteReactionDataSet(CSchemaBuilder& db, const ReactionDataSetSpec& set)
{
    bool done =
        db.Execute(QStringLiteral("INSERT INTO ReactionDataSetTable (ReactionDataSetID, ReactionDataSetName) "
                                  "VALUES (?, ?)"),
                   {qlonglong(set.reactionDataSetID), set.name});
    for (qsizetype i = 0; done && i < set.reactions.size(); ++i) {
        const ReactionSpec& reaction = set.reactions.at(i);
        done = db.Execute(
            QStringLiteral("INSERT INTO ReactionTable (ReactionID, ReactionDataSetID, ReactionName, "
                           "SequenceNumber, KeyComponentID, Conversion) VALUES (?, ?, ?, ?, ?, ?)"),
            {qlonglong(reaction.reactionID), qlonglong(set.reactionDataSetID), reaction.name,
             qlonglong(i + 1), qlonglong(reaction.keyComponentID), NullableNumber(reaction.conversion)});
        for (qsizetype c = 0; done && c < reaction.coefficients.size(); ++c)
            done = db.Execute(QStringLiteral("INSERT INTO ReactionCoefficientTable (ReactionID, ComponentID, "
                                             "Coefficient) VALUES (?, ?, ?)"),
                              {qlonglong(reaction.reactionID), qlonglong(reaction.coefficients.at(c).first),
                               reaction.coefficients.at(c).second});
    }
    return done;
}
