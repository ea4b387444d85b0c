#pragma once
// Writes a whole project (.prj, .eqm, .mtl and one STEP_<id>.STP per step) from a small data
// description, through CSchemaBuilder: the Demo sample, the synthetic projects of the benchmarks
// and the fixtures of the tests. TextRecipe rows are numbered the way the recipe view numbers them;
// every operation gets a parameter group with its type's defaults, and its recipe text from the
// composer the program regenerates texts with (RecipeTextComposer.h), under the project's stored
// options, so a regeneration of an untouched project changes no text.

#include "foundation/db/content/OperationParameterWriter.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class CSchemaBuilder;

// A comment of one comment type of the project's library (TblCommentData).
struct CommentSpec {
    long commentTypeID = 1;
    QString text;
};

// One recipe line: a unit procedure, an operation, or a keyword ("Start Parallel", "Series",
// "End Parallel", "Start Or", "End Or").
struct RecipeLineSpec {
    QString type;
    QString name;              // unit procedure: its name; operation: empty = the type's name
    long operationTypeID = -1; // operations only
    long equipmentID = -1;     // unit procedures: the primary equipment
    QString recipeText; // operations: a fixed text; empty = composed from the operation's data
    QString userComments;
    // Operations: values that replace the type's defaults (or add a field), and ranges.
    QList<OperationParameterValue> parameters;
    QList<OperationParameterRange> ranges;
    QList<LibraryReferenceValue> references; // operations: the library items and categories they name
    QList<CommentSpec> comments = {};         // operations: their typed comments
};

struct StepSpec {
    long stepID = 0;
    QString name;
    QString version;
    QString description;
    long plantID = -1;
    long keyInputID = -1; // material ids of the key intermediates
    long keyOutputID = -1;
    bool cleaning = false;
    double batchSize = 1e35;
    QString batchSizeUOM;
    QList<RecipeLineSpec> lines;
    // Second and third intermediates and the product factors (molar ratios to the key output);
    // 1e35 writes Null.
    long input2ID = -1, input3ID = -1, output2ID = -1, output3ID = -1;
    double productFactor = 1.0; // of the key input
    double input2Factor = 1e35, input3Factor = 1e35, output2Factor = 1e35, output3Factor = 1e35;
    QString batchSizeBase = QStringLiteral("Output");
    double batchSizeMW = 1e35;
    long inputUOMSetID = -1, outputUOMSetID = -1; // -1: no unit-of-measure set
    QList<CommentSpec> comments = {}; // the step's own typed comments
};

struct ProcessSpec {
    long processID = 0;
    QString name;
    QString version;
    QString description;
    long finalProductID = -1;
    long keyRawMaterialID = -1;
    QList<long> stepIDs; // in step order
    QList<long> stepOrders = {}; // the StepOrder of each step; empty: 1, 2, 3, ...
};

// One requirement of a production plan: a quantity of a process or of a step.
struct PlanRequirementSpec {
    QString kind; // "process" or "step"
    long targetID = 0;
    double quantity = 0.0;
    QString uom;
    bool firstBatchOverlap = false;
    bool batchOverlap = false;
    double batchTimeInterval = 1e35; // 1e35 writes Null, as does the earliest start
    QString batchTimeIntervalUOM = {};
    double earliestStart = 1e35;
};

struct PlanSpec {
    long planID = 0;
    QString name;
    double startDateTime = 1e35;
    long outputUOMSetID = 1;
    QList<PlanRequirementSpec> requirements = {};
};

struct MaterialSpec {
    long materialID = 0;
    QString name;
    QString phase; // "Gas", "Liquid" or "Solid"
    double molecularWeight = 1e35;
    QString casCode;
    bool pureComponent = false; // material type 1, its phase also as property 30
    double density = 1e35;      // kg/m3; 1e35 writes no density row
};

// A reaction of a reaction data set with its components' coefficients (negative: consumed).
struct ReactionSpec {
    long reactionID = 0;
    QString name;
    long keyComponentID = -1;
    QList<QPair<long, double>> coefficients; // component material id, coefficient
    double conversion = 1e35; // the fraction of the key component converted; 1e35 writes Null
};

struct ReactionDataSetSpec {
    long reactionDataSetID = 0;
    QString name;
    QList<ReactionSpec> reactions;
};

struct EquipmentSpec {
    long equipmentID = 0;
    QString tag;
    long classID = 0;
    QString className;
    double volume = 1e35; // litres
    QString material = {}; // "Material OF Construction"; empty: no such row
    QString type = QStringLiteral("Batch"); // "Batch" or "Continuous"
    long plantID = 1;                       // the facility: PLANT_ID or a further facility's id
    bool pool = false;
};

// An emission control path of a facility with its equipment sequence; -1 writes Null.
struct EmissionPathSpec {
    long pathID = 0;
    long plantID = 0;
    QString name;
    long finalDestinationID = -1;
    QString finalVaporStream;
    QList<long> sequence = {}; // equipment ids in order
};

// Vapour emission preferences: a default path (PREFER-DefaultECP) and a worst-case status.
struct DefaultPathSpec {
    long plantID = 0;
    long equipmentID = 0;
    long pathID = 0;
};

struct WorstCaseSpec {
    long modelID = 0;
    QString parameter;
    QString status; // empty writes ''
};

// A labour grade (TblLaborCategory) and a stream category (StreamCategoryTable); 1e35 writes Null.
struct LaborGradeSpec {
    long laborGradeID = 0;
    QString name;
    double cost = 1e35;
    QString costUOM;
    long maxAvailableOperators = -1; // -1 writes Null
};

struct StreamCategorySpec {
    long streamCategoryID = 0;
    QString name;
    double disposalCost = 1e35;
    QString disposalCostUOM;
};

struct ProjectSpec {
    QString name;
    QString description;
    QString plantName;
    QList<ProcessSpec> processes;
    QList<StepSpec> steps;
    QList<MaterialSpec> materials;
    QList<EquipmentSpec> equipment;
    QStringList plantsWithoutEquipment = {}; // further facilities, ids 100, 101, ...
    QList<PlanSpec> plans = {};
    QList<long> utilityIDs = {};             // materials that are utilities (property 469)
    QList<ReactionDataSetSpec> reactionDataSets = {};
    QList<LaborGradeSpec> laborGrades = {};
    QList<StreamCategorySpec> streamCategories = {};
    QList<EmissionPathSpec> emissionPaths = {}; // besides the first facility's "Vent Header" (id 1)
    QList<DefaultPathSpec> defaultPaths = {};
    QList<WorstCaseSpec> worstCases = {};       // added to the seed rows
    QList<long> nonCondensableIDs = {};
    // Text recipe flags set beside "Comments" and "Ranges" (each a row of value 1).
    QStringList textRecipeFlags = {};
};

class CProjectGenerator {
public:
    // Steps take the sets SI (1) and English (2) in turn; the last has none.
    static void AssignUOMSets(QList<StepSpec>& steps);
    static constexpr long PLANT_ID = 1;
    static constexpr long PROJECT_ID = 1;
    static constexpr long FIRST_EXTRA_PLANT_ID = 100; // of the facilities without equipment

    // Writes <folder>/<spec.name>.prj, .eqm, .mtl and the step files. Existing files are never
    // overwritten: the call fails instead, and files it wrote are removed again.
    bool Write(const ProjectSpec& spec, const QString& folder);
    const QString& ErrorText() const { return m_errorText; }
    // Once the steps' transitions are built: the operations whose sentence names where their
    // contents go (a transfer) composed again by them; fixed texts stay.
    bool WriteTransferTexts(const ProjectSpec& spec, const QString& folder);

    // Writes <folder>/<name>.qvt, .eqt and .mtt: the blank project template, its material library
    // holding the standard materials.
    bool WriteBlankTemplate(const QString& folder, const QString& name);
    // Common pure components with their molecular weight and density (public reference figures,
    // 20 C and 1 atm), ids from 1.
    static QList<MaterialSpec> StandardMaterials();

    static QString StepFileName(long stepID);

    // The sample project shipped as Samples/Demo.
    static ProjectSpec DemoProject();
    // The sample shipped as Samples/Demo2: Demo's materials, steps and equipment tags (and one tag
    // more) in a facility of its own; one process whose steps have the order numbers 1, 3 and 7.
    static ProjectSpec Demo2Project();
    // One process of `steps` chained steps, each with at least `linesPerStep` recipe lines in unit
    // procedures of series operations and parallel blocks.
    static ProjectSpec SyntheticProject(int steps, int linesPerStep);

private:
    bool WriteProjectDatabase(const ProjectSpec& spec, const QString& path);
    static bool WritePlans(CSchemaBuilder& db, const QList<PlanSpec>& plans);
    static bool WriteCostCategories(CSchemaBuilder& db, const ProjectSpec& spec);
    bool WriteEquipmentDatabase(const ProjectSpec& spec, const QString& path);
    static bool WriteEquipmentItem(CSchemaBuilder& db, const EquipmentSpec& item);
    static bool WriteEmissionControl(CSchemaBuilder& db, const ProjectSpec& spec);
    static bool WriteEmissionPreferences(CSchemaBuilder& db, const ProjectSpec& spec);
    static bool WriteEmissionPath(CSchemaBuilder& db, const EmissionPathSpec& path);
    bool WriteMaterialDatabase(const ProjectSpec& spec, const QString& path);
    static bool WriteMaterial(CSchemaBuilder& db, const MaterialSpec& material);
    static bool WriteReactionDataSet(CSchemaBuilder& db, const ReactionDataSetSpec& set);
    bool WriteStepDatabase(const StepSpec& step, const QString& path);
    // Every operation without a fixed text gets the text the program's regeneration composes.
    bool WriteRecipeTexts(const ProjectSpec& spec, const QString& folder);
    bool Track(const QString& path);
    void RemoveWritten();

    QString m_errorText;
    QStringList m_written;
    long m_nextItemID = 10001;
};
