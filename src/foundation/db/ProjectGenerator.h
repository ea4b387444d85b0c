#pragma once
// Writes a whole project (.prj, .eqm, .mtl and one STEP_<id>.STP per step) from a small data
// description, through CSchemaBuilder: the Demo sample, the synthetic projects of the benchmarks
// and the fixtures of the tests. TextRecipe rows are numbered the way the recipe view numbers them;
// every operation gets a parameter group with its type's defaults.

#include "foundation/db/OperationParameterWriter.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class CSchemaBuilder;

// One recipe line: a unit procedure, an operation, or a keyword ("Start Parallel", "Series",
// "End Parallel", "Start Or", "End Or").
struct RecipeLineSpec {
    QString type;
    QString name;              // unit procedure: its name; operation: empty = the type's name
    long operationTypeID = -1; // operations only
    long equipmentID = -1;     // unit procedures: the primary equipment
    QString recipeText;
    QString userComments;
    // Operations: values that replace the type's defaults (or add a field), and ranges.
    QList<OperationParameterValue> parameters;
    QList<OperationParameterRange> ranges;
    QList<LibraryReferenceValue> references; // operations: the items of the material database they name
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
};

struct ProcessSpec {
    long processID = 0;
    QString name;
    QString version;
    QString description;
    long finalProductID = -1;
    long keyRawMaterialID = -1;
    QList<long> stepIDs; // in step order
};

struct MaterialSpec {
    long materialID = 0;
    QString name;
    QString phase; // "Gas", "Liquid" or "Solid"
    double molecularWeight = 1e35;
    QString casCode;
};

// A reaction of a reaction data set with its components' coefficients (negative: consumed).
struct ReactionSpec {
    long reactionID = 0;
    QString name;
    long keyComponentID = -1;
    QList<QPair<long, double>> coefficients; // component material id, coefficient
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
    QList<long> utilityIDs = {};             // materials that are utilities (property 469)
    QList<ReactionDataSetSpec> reactionDataSets = {};
};

class CProjectGenerator {
public:
    static constexpr long PLANT_ID = 1;
    static constexpr long PROJECT_ID = 1;
    static constexpr long FIRST_EXTRA_PLANT_ID = 100; // of the facilities without equipment

    // Writes <folder>/<spec.name>.prj, .eqm, .mtl and the step files. Existing files are never
    // overwritten: the call fails instead, and files it wrote are removed again.
    bool Write(const ProjectSpec& spec, const QString& folder);
    const QString& ErrorText() const { return m_errorText; }

    // Writes <folder>/<name>.qvt, .eqt and .mtt: the blank project template.
    bool WriteBlankTemplate(const QString& folder, const QString& name);

    static QString StepFileName(long stepID);

    // The sample project shipped as Samples/Demo.
    static ProjectSpec DemoProject();
    // One process of `steps` chained steps, each with at least `linesPerStep` recipe lines in unit
    // procedures of series operations and parallel blocks.
    static ProjectSpec SyntheticProject(int steps, int linesPerStep);

private:
    bool WriteProjectDatabase(const ProjectSpec& spec, const QString& path);
    bool WriteEquipmentDatabase(const ProjectSpec& spec, const QString& path);
    static bool WriteEquipmentItem(CSchemaBuilder& db, const EquipmentSpec& item);
    static bool WriteEmissionControl(CSchemaBuilder& db, const ProjectSpec& spec);
    bool WriteMaterialDatabase(const ProjectSpec& spec, const QString& path);
    static bool WriteReactionDataSet(CSchemaBuilder& db, const ReactionDataSetSpec& set);
    bool WriteStepDatabase(const StepSpec& step, const QString& path);
    bool Track(const QString& path);
    void RemoveWritten();

    QString m_errorText;
    QStringList m_written;
    long m_nextItemID = 10001;
};
