// The data descriptions of CProjectGenerator: the Demo sample and the synthetic benchmark projects.

#include "foundation/db/content/ProjectGenerator.h"

namespace {

// Operation types of the catalogue used below.
enum OperationType : long {
    AGE = 1,
    CHARGE = 4,
    TRANSFER = 7,
    CENTRIFUGE = 10,
    CONCENTRATE = 14,
    CRYSTALLIZE = 15,
    DISTILL = 17,
    DRY = 18,
    FILTER = 20,
    WASH_CAKE = 24,
    COOL = 25,
    HEAT = 26,
    PURGE = 30,
    REACT = 32,
    START_SWEEP = 33,
    PH_ADJUST = 35,
    MILL = 65,
    CLEAN_IN_PLACE = 87
};

// Materials and equipment of the Demo.
enum DemoID : long {
    NITROGEN = 1,
    WATER = 2,
    TOLUENE = 3,
    METHANOL = 4,
    ANILINE = 5,
    AMIDE_INTERMEDIATE = 6,
    CRUDE_AMIDOL = 7,
    AMIDOL = 8,
    AMIDOL_HCL = 9,
    MILLED_AMIDOL_HCL = 10,
    HYDROCHLORIC_ACID = 11,
    ACETYL_CHLORIDE = 12,
    R101 = 101,
    R102 = 102,
    C201 = 201,
    D301 = 301,
    M401 = 401,
    V501 = 501
};

// The second input of every synthetic step; no step makes it.
constexpr long SYNTHETIC_REAGENT = 99;
// The Demo's reaction data sets, one reaction each (same ids): the acylation, and the yields of
// crystallisation, drying, salt formation and milling, each written as a conversion of the step's
// key input into its key output.
enum DemoReaction : long { ACYLATION = 1, CRYSTALLIZATION = 2, DRYING = 3, SALT_FORMATION = 4, MILLING = 5 };
// The fraction of each reaction's key component converted.
constexpr double ACYLATION_CONVERSION = 0.95;
constexpr double CRYSTALLIZATION_CONVERSION = 0.9;
constexpr double DRYING_CONVERSION = 0.97;
constexpr double SALT_FORMATION_CONVERSION = 0.95;
constexpr double MILLING_CONVERSION = 0.99;
// Molecular weights (kg/kmol) of the key intermediates.
constexpr double MW_ANILINE = 93.13;
constexpr double MW_AMIDOL = 135.17; // also of the amide and the crude product
constexpr double MW_AMIDOL_HCL = 171.62;
// What each step charges of its key input per batch, kg.
constexpr double COUPLING_ANILINE_KG = 186.0;
constexpr double CRYSTALLIZATION_AMIDE_KG = 100.0;
constexpr double DRYING_CRUDE_KG = 90.0;
constexpr double SALT_FORMATION_AMIDE_KG = 100.0;
constexpr double MILLING_SALT_KG = 100.0;

// Range types of the project's range library.
constexpr long NORMAL_OPERATING_RANGE = 1;
constexpr long PROVEN_ACCEPTABLE_RANGE = 2;
// Comment types, labour grades and stream categories of the Demo.
constexpr long SAFETY_COMMENT = 2;
constexpr long QUALITY_COMMENT = 3;
constexpr long OPERATOR_GRADE = 1;
constexpr long SUPERVISOR_GRADE = 2;
constexpr long AQUEOUS_WASTE = 1;
constexpr long SOLVENT_WASTE = 2;

RecipeLineSpec RecipeLine(const QString& type, const QString& name, long operationTypeID, long equipmentID)
{
    RecipeLineSpec line;
    line.type = type;
    line.name = name;
    line.operationTypeID = operationTypeID;
    line.equipmentID = equipmentID;
    return line;
}

RecipeLineSpec UnitProcedure(const QString& name, long equipmentID, const QString& comment = {})
{
    RecipeLineSpec line = RecipeLine(QStringLiteral("Unit Procedure"), name, -1, equipmentID);
    line.userComments = comment;
    return line;
}

// An operation with the values that replace its type's defaults, and its ranges; its text is
// composed from them.
RecipeLineSpec Operation(long operationTypeID, const QList<OperationParameterValue>& parameters = {},
                         const QList<OperationParameterRange>& ranges = {})
{
    RecipeLineSpec line = RecipeLine(QStringLiteral("Operation"), {}, operationTypeID, -1);
    line.parameters = parameters;
    line.ranges = ranges;
    return line;
}

RecipeLineSpec Keyword(const char* type)
{
    return RecipeLine(QString::fromLatin1(type), {}, -1, -1);
}

// The operation line naming items of the material database.
RecipeLineSpec Naming(RecipeLineSpec line, const QList<LibraryReferenceValue>& references)
{
    line.references = references;
    return line;
}

LibraryReferenceValue MaterialField(long materialID)
{
    return {LibraryReferenceField::Material, materialID};
}

LibraryReferenceValue UtilityField(long materialID)
{
    return {LibraryReferenceField::Utility, materialID};
}

LibraryReferenceValue ReactionField(long reactionDataSetID)
{
    return {LibraryReferenceField::Reaction, reactionDataSetID};
}

LibraryReferenceValue LaborField(long laborGradeID)
{
    return {LibraryReferenceField::LaborGrade, laborGradeID};
}

LibraryReferenceValue StreamCategoryField(long streamCategoryID)
{
    return {LibraryReferenceField::StreamCategory, streamCategoryID};
}

RecipeLineSpec Commented(RecipeLineSpec line, const QList<CommentSpec>& comments)
{
    line.comments = comments;
    return line;
}

OperationParameterValue ParameterValue(OperationField field, double value, const char* uom)
{
    return {field, value, QString::fromLatin1(uom)};
}

OperationParameterValue Minutes(double value)
{
    return ParameterValue(OperationField::Duration, value, "min");
}

OperationParameterValue Kilograms(double value)
{
    return ParameterValue(OperationField::Amount, value, "kg");
}

OperationParameterValue Celsius(double value)
{
    return ParameterValue(OperationField::Temperature, value, "C");
}

OperationParameterRange ParameterRange(long rangeTypeID, OperationField field, double low, double high,
                                       const char* uom)
{
    OperationParameterRange range;
    range.field = field;
    range.rangeTypeID = rangeTypeID;
    range.low = low;
    range.high = high;
    range.lowUOM = range.highUOM = QString::fromLatin1(uom);
    return range;
}

StepSpec Step(long id, const QString& name, long input, long output, double batchSize)
{
    StepSpec step;
    step.stepID = id;
    step.name = name;
    step.version = QStringLiteral("1.0");
    step.plantID = CProjectGenerator::PLANT_ID;
    step.keyInputID = input;
    step.keyOutputID = output;
    step.batchSize = batchSize;
    step.batchSizeUOM = QStringLiteral("kg");
    return step;
}

// The step that converts `inputKg` of its key input (molecular weight inputMW) into its key output
// (outputMW) at the conversion, one mole for one, as a completed batch run leaves its row: the batch
// size in kmol of the key output with the key output's molecular weight, and the key input's product
// factor (kmol charged per kmol made).
StepSpec ConvertingStep(long id, const QString& name, long input, long output, double inputKg, double inputMW,
                        double outputMW, double conversion)
{
    StepSpec step = Step(id, name, input, output, conversion * inputKg / inputMW);
    step.batchSizeMW = outputMW;
    step.productFactor = 1.0 / conversion;
    return step;
}

// The charge of a material.
RecipeLineSpec Charge(long materialID, double kg, const QList<OperationParameterRange>& ranges = {})
{
    return Naming(Operation(CHARGE, {Kilograms(kg)}, ranges), {MaterialField(materialID)});
}

// Acylation with a parallel block of operations (heat while sweeping); the reaction doses the acid
// chloride, and the contents go to R-102 to be cooled and worked up.
StepSpec CouplingStep()
{
    StepSpec step = ConvertingStep(1001, QStringLiteral("Coupling"), ANILINE, AMIDE_INTERMEDIATE,
                                   COUPLING_ANILINE_KG, MW_ANILINE, MW_AMIDOL, ACYLATION_CONVERSION);
    step.description = QStringLiteral("Acylation of aniline in toluene");
    step.lines = {
        UnitProcedure(QStringLiteral("Reaction in R-101"), R101, QStringLiteral("Inert the vessel first.")),
        Naming(Operation(PURGE, {Minutes(15)}), {UtilityField(NITROGEN)}),
        Charge(TOLUENE, 800,
               {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Amount, 790, 810, "kg")}),
        Charge(ANILINE, COUPLING_ANILINE_KG),
        Keyword("Start Parallel"),
        Keyword("Series"),
        Operation(HEAT, {Minutes(45), Celsius(60)},
                  {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Temperature, 55, 65, "C"),
                   ParameterRange(PROVEN_ACCEPTABLE_RANGE, OperationField::Temperature, 50, 70, "C")}),
        Keyword("Series"),
        Naming(Operation(START_SWEEP), {UtilityField(NITROGEN)}),
        Keyword("End Parallel"),
        Naming(Operation(REACT, {ParameterValue(OperationField::Duration, 2, "h"), Kilograms(165)},
                         {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Duration, 1.5, 2.5, "h")}),
               {ReactionField(ACYLATION), MaterialField(ACETYL_CHLORIDE)}),
        Operation(TRANSFER),
        UnitProcedure(QStringLiteral("Work-up in R-102"), R102),
        Operation(COOL, {Minutes(60), Celsius(20)}),
        Naming(Operation(DISTILL, {Kilograms(400)}), {MaterialField(TOLUENE)}),
        Operation(AGE, {Minutes(30)})};
    return step;
}

// Crystallisation with an alternative block of unit procedures (either reactor), isolated on the
// centrifuge.
StepSpec CrystallizationStep()
{
    StepSpec step =
        ConvertingStep(1002, QStringLiteral("Crystallization"), AMIDE_INTERMEDIATE, CRUDE_AMIDOL,
                       CRYSTALLIZATION_AMIDE_KG, MW_AMIDOL, MW_AMIDOL, CRYSTALLIZATION_CONVERSION);
    step.description = QStringLiteral("Crystallise the crude product from methanol");
    step.lines = {
        UnitProcedure(QStringLiteral("Dissolution in R-102"), R102),
        Charge(AMIDE_INTERMEDIATE, CRYSTALLIZATION_AMIDE_KG),
        Charge(METHANOL, 180),
        Operation(HEAT, {Minutes(30), Celsius(55)}),
        Operation(TRANSFER),
        Keyword("Start Or"),
        Keyword("Series"),
        UnitProcedure(QStringLiteral("Crystallization in R-101"), R101),
        Naming(Operation(CRYSTALLIZE, {ParameterValue(OperationField::Duration, 4, "h")},
                         {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Temperature, -2, 2, "C"),
                          ParameterRange(PROVEN_ACCEPTABLE_RANGE, OperationField::Temperature, -5, 5, "C")}),
               {LaborField(OPERATOR_GRADE), ReactionField(CRYSTALLIZATION)}),
        Operation(TRANSFER),
        Keyword("Series"),
        UnitProcedure(QStringLiteral("Crystallization in R-102"), R102),
        Naming(Operation(CRYSTALLIZE), {ReactionField(CRYSTALLIZATION)}),
        Operation(TRANSFER),
        Keyword("End Or"),
        UnitProcedure(QStringLiteral("Isolation on C-201"), C201),
        Operation(CENTRIFUGE),
        Commented(Naming(Operation(WASH_CAKE, {Kilograms(30)}),
                         {MaterialField(METHANOL), StreamCategoryField(SOLVENT_WASTE)}),
                  {{QUALITY_COMMENT, QStringLiteral("Sample the last wash for residual methanol.")}})};
    // Its typed comments, labour and waste category make it the step the library dialogs find in use.
    step.comments = {{SAFETY_COMMENT, QStringLiteral("Methanol vapours: keep the vessels inerted.")}};
    return step;
}

QList<RecipeLineSpec> DryingLines(const QString& unitProcedure, long vessel)
{
    return {
        UnitProcedure(unitProcedure, vessel), Charge(CRUDE_AMIDOL, DRYING_CRUDE_KG),
        Naming(Operation(DRY, {Celsius(50)},
                         {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Temperature, 45, 55, "C")}),
               {ReactionField(DRYING)})};
}

StepSpec DryingStep()
{
    StepSpec step = ConvertingStep(1003, QStringLiteral("Drying"), CRUDE_AMIDOL, AMIDOL, DRYING_CRUDE_KG,
                                   MW_AMIDOL, MW_AMIDOL, DRYING_CONVERSION);
    step.lines = DryingLines(QStringLiteral("Drying in D-301"), D301);
    return step;
}

// Demo's drying in a vessel that only Demo2 has.
StepSpec VesselDryingStep()
{
    StepSpec step = DryingStep();
    step.lines = DryingLines(QStringLiteral("Drying in V-501"), V501);
    return step;
}

StepSpec SaltFormationStep()
{
    StepSpec step =
        ConvertingStep(1004, QStringLiteral("Salt Formation"), AMIDE_INTERMEDIATE, AMIDOL_HCL,
                       SALT_FORMATION_AMIDE_KG, MW_AMIDOL, MW_AMIDOL_HCL, SALT_FORMATION_CONVERSION);
    step.lines = {
        UnitProcedure(QStringLiteral("Salt formation in R-101"), R101),
        Charge(AMIDE_INTERMEDIATE, SALT_FORMATION_AMIDE_KG),
        Charge(WATER, 150),
        Charge(HYDROCHLORIC_ACID, 30),
        Naming(Operation(PH_ADJUST), {MaterialField(HYDROCHLORIC_ACID), ReactionField(SALT_FORMATION)}),
        Operation(CONCENTRATE),
        Operation(TRANSFER),
        UnitProcedure(QStringLiteral("Filtration"), C201),
        Operation(FILTER),
        Naming(Operation(WASH_CAKE, {Kilograms(20)}), {MaterialField(WATER)}),
        Naming(Operation(DRY, {Minutes(120)}), {UtilityField(NITROGEN)})};
    return step;
}

StepSpec MillingStep()
{
    StepSpec step = ConvertingStep(1005, QStringLiteral("Milling"), AMIDOL_HCL, MILLED_AMIDOL_HCL,
                                   MILLING_SALT_KG, MW_AMIDOL_HCL, MW_AMIDOL_HCL, MILLING_CONVERSION);
    step.lines = {UnitProcedure(QStringLiteral("Milling in M-401"), M401),
                  Charge(AMIDOL_HCL, MILLING_SALT_KG), Naming(Operation(MILL), {ReactionField(MILLING)})};
    return step;
}

StepSpec CleaningStep()
{
    StepSpec step = Step(1006, QStringLiteral("Reactor Cleaning"), -1, -1, 1e35);
    step.cleaning = true;
    step.lines = {UnitProcedure(QStringLiteral("Clean R-101"), R101),
                  Naming(Operation(CLEAN_IN_PLACE, {Kilograms(200)}), {MaterialField(WATER)})};
    return step;
}

// Densities in kg/m3 at ambient conditions.
QList<MaterialSpec> DemoMaterials()
{
    const QString gas = QStringLiteral("Gas");
    const QString liquid = QStringLiteral("Liquid");
    const QString solid = QStringLiteral("Solid");
    return {
        {NITROGEN, QStringLiteral("Nitrogen"), gas, 28.01, QStringLiteral("7727-37-9"), true, 1.165},
        {WATER, QStringLiteral("Water"), liquid, 18.02, QStringLiteral("7732-18-5"), false, 998.0},
        {TOLUENE, QStringLiteral("Toluene"), liquid, 92.14, QStringLiteral("108-88-3"), true, 867.0},
        {METHANOL, QStringLiteral("Methanol"), liquid, 32.04, QStringLiteral("67-56-1"), true, 792.0},
        {ANILINE, QStringLiteral("Aniline"), liquid, MW_ANILINE, QStringLiteral("62-53-3"), false, 1022.0},
        {AMIDE_INTERMEDIATE, QStringLiteral("Amide Intermediate"), solid, MW_AMIDOL, {}, false, 1219.0},
        {CRUDE_AMIDOL, QStringLiteral("Crude Amidol"), solid, MW_AMIDOL, {}, false, 1219.0},
        {AMIDOL, QStringLiteral("Amidol"), solid, MW_AMIDOL, {}, false, 1219.0},
        {AMIDOL_HCL, QStringLiteral("Amidol Hydrochloride"), solid, MW_AMIDOL_HCL, {}, false, 1300.0},
        {MILLED_AMIDOL_HCL,
         QStringLiteral("Milled Amidol Hydrochloride"),
         solid,
         MW_AMIDOL_HCL,
         {},
         false,
         1300.0},
        {HYDROCHLORIC_ACID, QStringLiteral("Hydrochloric Acid"), liquid, 36.46, QStringLiteral("7647-01-0"),
         false, 1180.0},
        {ACETYL_CHLORIDE, QStringLiteral("Acetyl Chloride"), liquid, 78.50, QStringLiteral("75-36-5"), false,
         1104.0}};
}

ReactionDataSetSpec OneReaction(long id, const QString& setName, const QString& name, long keyComponentID,
                                const QList<QPair<long, double>>& coefficients, double conversion)
{
    return {id, setName, {{id, name, keyComponentID, coefficients, conversion}}};
}

// Aniline and acetyl chloride give the amide and hydrogen chloride; the amide and the acid give the
// salt. Crystallisation, drying and milling turn one intermediate into the next at their yields.
QList<ReactionDataSetSpec> DemoReactions()
{
    return {
        OneReaction(
            ACYLATION, QStringLiteral("Acylation"), QStringLiteral("Aniline acylation"), ANILINE,
            {{ANILINE, -1.0}, {ACETYL_CHLORIDE, -1.0}, {AMIDE_INTERMEDIATE, 1.0}, {HYDROCHLORIC_ACID, 1.0}},
            ACYLATION_CONVERSION),
        OneReaction(CRYSTALLIZATION, QStringLiteral("Crystallization"), QStringLiteral("Crude product yield"),
                    AMIDE_INTERMEDIATE, {{AMIDE_INTERMEDIATE, -1.0}, {CRUDE_AMIDOL, 1.0}},
                    CRYSTALLIZATION_CONVERSION),
        OneReaction(DRYING, QStringLiteral("Drying"), QStringLiteral("Dried product yield"), CRUDE_AMIDOL,
                    {{CRUDE_AMIDOL, -1.0}, {AMIDOL, 1.0}}, DRYING_CONVERSION),
        OneReaction(SALT_FORMATION, QStringLiteral("Salt Formation"),
                    QStringLiteral("Hydrochloride formation"), AMIDE_INTERMEDIATE,
                    {{AMIDE_INTERMEDIATE, -1.0}, {HYDROCHLORIC_ACID, -1.0}, {AMIDOL_HCL, 1.0}},
                    SALT_FORMATION_CONVERSION),
        OneReaction(MILLING, QStringLiteral("Milling"), QStringLiteral("Milled product yield"), AMIDOL_HCL,
                    {{AMIDOL_HCL, -1.0}, {MILLED_AMIDOL_HCL, 1.0}}, MILLING_CONVERSION)};
}

QList<EquipmentSpec> DemoEquipment()
{
    return {
        {R101, QStringLiteral("R-101"), 1, QStringLiteral("Reactor"), 2000.0, QStringLiteral("SS316")},
        {R102, QStringLiteral("R-102"), 1, QStringLiteral("Reactor"), 2500.0, QStringLiteral("Glass-lined")},
        {C201, QStringLiteral("C-201"), 2, QStringLiteral("Centrifuge"), 400.0, QStringLiteral("Hastelloy")},
        {D301, QStringLiteral("D-301"), 3, QStringLiteral("Dryer"), 1000.0, {}},
        {M401,
         QStringLiteral("M-401"),
         4,
         QStringLiteral("Mill"),
         100.0,
         {},
         QStringLiteral("Continuous"),
         CProjectGenerator::PLANT_ID,
         true}};
}

// A second path in the pilot plant, one in the kilo lab, default paths, a worst-case status left
// blank and nitrogen as the non-condensable gas.
void DemoEmissionPreferences(ProjectSpec& spec)
{
    const long kiloLab = CProjectGenerator::FIRST_EXTRA_PLANT_ID;
    spec.emissionPaths = {{2,
                           CProjectGenerator::PLANT_ID,
                           QStringLiteral("Scrubber Line"),
                           C201,
                           QStringLiteral("Scrubbed Vent"),
                           {R102, C201}},
                          {3, kiloLab, QStringLiteral("Kilo Lab Vent"), -1, QStringLiteral("Vent")}};
    spec.defaultPaths = {{CProjectGenerator::PLANT_ID, R101, 1},
                         {CProjectGenerator::PLANT_ID, R102, 2},
                         {CProjectGenerator::PLANT_ID, D301, 1}};
    spec.worstCases = {{1003, QStringLiteral("Final Pressure"), QStringLiteral("Minimum")},
                       {1004, QStringLiteral("Sweep Gas Temperature"), QString()}};
    spec.nonCondensableIDs = {NITROGEN};
}

} // namespace

ProjectSpec CProjectGenerator::DemoProject()
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Demo");
    spec.description = QStringLiteral("Sample project: two routes to Amidol that share the coupling step.");
    spec.plantName = QStringLiteral("Ridgemont Pilot Plant");
    spec.steps = {CouplingStep(),      CrystallizationStep(), DryingStep(),
                  SaltFormationStep(), MillingStep(),         CleaningStep()};
    spec.processes = {{1,
                       QStringLiteral("Amidol"),
                       QStringLiteral("Free Base"),
                       QStringLiteral("Coupling, crystallisation and drying"),
                       AMIDOL,
                       ANILINE,
                       {1001, 1002, 1003}},
                      {2,
                       QStringLiteral("Amidol"),
                       QStringLiteral("Hydrochloride"),
                       QStringLiteral("Coupling, salt formation and milling, then cleaning"),
                       MILLED_AMIDOL_HCL,
                       ANILINE,
                       {1001, 1004, 1005, 1006}}};
    spec.materials = DemoMaterials();
    spec.utilityIDs = {NITROGEN};
    spec.reactionDataSets = DemoReactions();
    spec.equipment = DemoEquipment();
    spec.plantsWithoutEquipment = {QStringLiteral("Eastfield Kilo Lab")};
    DemoEmissionPreferences(spec);
    spec.textRecipeFlags = {QStringLiteral("Utilities"), QStringLiteral("Separations")};
    spec.laborGrades = {{OPERATOR_GRADE, QStringLiteral("Operator"), 35.0, QStringLiteral("USD/h"), 4},
                        {SUPERVISOR_GRADE, QStringLiteral("Supervisor"), 55.0, QStringLiteral("USD/h"), 1}};
    spec.streamCategories = {{AQUEOUS_WASTE, QStringLiteral("Aqueous Waste"), 0.2, QStringLiteral("USD/kg")},
                             {SOLVENT_WASTE, QStringLiteral("Solvent Waste"), 0.8, QStringLiteral("USD/kg")}};
    AssignUOMSets(spec.steps);
    return spec;
}

ProjectSpec CProjectGenerator::Demo2Project()
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Demo2");
    spec.description = QStringLiteral("Sample project: the free base route to Amidol at a second site.");
    spec.plantName = QStringLiteral("Harwick Production Site");
    spec.steps = {CouplingStep(), CrystallizationStep(), VesselDryingStep()};
    spec.processes = {{1,
                       QStringLiteral("Amidol"),
                       QStringLiteral("Free Base"),
                       QStringLiteral("Coupling, crystallisation and drying"),
                       AMIDOL,
                       ANILINE,
                       {1001, 1002, 1003},
                       {1, 3, 7}}};
    spec.materials = DemoMaterials();
    spec.reactionDataSets = DemoReactions();
    spec.equipment = DemoEquipment();
    spec.equipment.append({V501, QStringLiteral("V-501"), 5, QStringLiteral("Vessel"), 1500.0, {}});
    return spec;
}

namespace {

// Charges carry an amount that grows with the unit procedure; reactions a temperature range.
QList<OperationParameterValue> SyntheticParameters(long operationTypeID, int unitProcedure)
{
    if (operationTypeID != CHARGE)
        return {};
    return {Kilograms(100.0 + unitProcedure)};
}

QList<OperationParameterRange> SyntheticRanges(long operationTypeID)
{
    if (operationTypeID != REACT)
        return {};
    return {ParameterRange(NORMAL_OPERATING_RANGE, OperationField::Temperature, 55, 65, "C")};
}

// One unit procedure of the synthetic recipe: eight operations, the middle two in a parallel
// block on every third unit procedure.
void AppendSyntheticUnitProcedure(QList<RecipeLineSpec>& lines, int number)
{
    static const long types[] = {CHARGE, HEAT, REACT, AGE, COOL, TRANSFER, FILTER, DRY};
    const bool withBlock = number % 3 == 0;
    lines.append(UnitProcedure(QStringLiteral("Unit Procedure %1").arg(number), R101));
    for (int i = 0; i < 8; ++i) {
        if (withBlock && i == 3)
            lines.append(Keyword("Start Parallel"));
        if (withBlock && (i == 3 || i == 4))
            lines.append(Keyword("Series"));
        lines.append(Operation(types[i], SyntheticParameters(types[i], number), SyntheticRanges(types[i])));
        if (withBlock && i == 4)
            lines.append(Keyword("End Parallel"));
    }
}

} // namespace

ProjectSpec CProjectGenerator::SyntheticProject(int steps, int linesPerStep)
{
    ProjectSpec spec;
    spec.name = QStringLiteral("Synthetic");
    spec.description = QStringLiteral("Generated project of %1 steps").arg(steps);
    spec.plantName = QStringLiteral("Synthetic Plant");
    spec.equipment = {{R101, QStringLiteral("R-101"), 1, QStringLiteral("Reactor"), 2000.0}};
    ProcessSpec process{1, QStringLiteral("Synthetic"), QStringLiteral("1"), {}, 100 + steps, 100, {}};
    for (int s = 0; s < steps; ++s) {
        const long material = 100 + s;
        spec.materials.append(
            {material, QStringLiteral("Material %1").arg(material), QStringLiteral("Liquid"), 100.0, {}});
        StepSpec step = Step(2001 + s, QStringLiteral("Step %1").arg(s + 1), material, material + 1, 100.0);
        step.input2ID = SYNTHETIC_REAGENT;
        step.input2Factor = 0.5;
        step.batchSizeMW = 100.0;
        for (int up = 1; step.lines.size() < linesPerStep; ++up)
            AppendSyntheticUnitProcedure(step.lines, up);
        process.stepIDs.append(step.stepID);
        spec.steps.append(step);
    }
    spec.materials.append(
        {100 + steps, QStringLiteral("Material %1").arg(100 + steps), QStringLiteral("Liquid"), 100.0, {}});
    spec.materials.append({SYNTHETIC_REAGENT, QStringLiteral("Reagent"), QStringLiteral("Liquid"), 50.0, {}});
    spec.processes = {process};
    AssignUOMSets(spec.steps);
    return spec;
}

void CProjectGenerator::AssignUOMSets(QList<StepSpec>& steps)
{
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const long set = i + 1 == steps.size() ? -1 : long(i % 2) + 1;
        steps[i].inputUOMSetID = set;
        steps[i].outputUOMSetID = set;
    }
}
