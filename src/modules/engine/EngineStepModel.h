#pragma once
// What the engine reads of one step: its transitions, unit procedures, operations with their
// parameters, scheduling constraints, the recipe lines (positions and breakpoints) and the vessels
// of its unit procedures.

#include "foundation/db/content/OperationParameters.h"

#include <QHash>
#include <QList>
#include <QString>

class CDaoDatabase;

enum class EngineTransitionKind { Series, StartParallel, StartOr, EndParallel, EndOr, Other };

struct EngineTransition {
    long from = 0;
    long to = 0;
    long owner = 0;
    EngineTransitionKind kind = EngineTransitionKind::Other;
};

struct EngineRecipeLine {
    long sequence = 0; // RecipeSequenceNumber
    bool breakpoint = false;
    QString text; // label and name, for the progress text
};

struct EngineUnitProcedure {
    long primaryEquipmentID = 0; // 0: none
};

// A stored value with its unit; 1e35 = not stored.
struct EngineQuantity {
    double value = 1e35;
    QString uom;
};

struct EngineOperation {
    long unitProcedureID = 0;
    long typeID = 0;
    OperationParameters parameters; // a negative duration is kept as stored
    // As stored, for the material balance (converted with the material's figures).
    EngineQuantity amount;
    EngineQuantity volume;
    long materialID = 0;    // 0: none named
    long reactionSetID = 0; // a reaction data set; 0: none
    long keyComponentID = 0; // the key component the operation names for its reactions; 0: none
};

struct EngineConstraint {
    long current = 0;
    long parameter = 0;
    bool startsAfter = true; // else Parallel-To
    double delay = 0;        // s
};

// Litres; 1e35 = not given.
struct EngineVessel {
    double capacity = 1e35;
    double minimumVolume = 1e35;
};

struct EngineStepModel {
    long stepID = 0;
    long startUnitProcedureID = 1;
    long startOperationID = 1;
    long keyInputID = 0; // materials; 0 when the step names none
    long keyOutputID = 0;
    QList<EngineTransition> unitProcedureTransitions;
    QList<EngineTransition> operationTransitions;
    QHash<long, EngineUnitProcedure> unitProcedures;
    QHash<long, EngineOperation> operations;
    QHash<long, EngineRecipeLine> operationLines;     // by operation id
    QHash<long, EngineRecipeLine> unitProcedureLines; // by unit procedure id
    QList<EngineConstraint> operationConstraints;
    QList<EngineConstraint> unitProcedureConstraints;
    QHash<long, EngineVessel> vessels; // by equipment id

    // The shape of the transition graphs, without the transition ids that every rebuild renews.
    QString TransitionFingerprint() const;
};

EngineTransitionKind ParseTransitionKind(const QString& type);

// Reads the step from its database and the vessels from the equipment database (when it opens).
class CEngineStepReader {
public:
    explicit CEngineStepReader(CDaoDatabase& stepDatabase) : m_db(stepDatabase) {}
    EngineStepModel Read(long stepID);
    // Only the transitions, for the staleness check of a paused run.
    QString ReadTransitionFingerprint(long stepID);

private:
    void ReadStartIDs(EngineStepModel& model);
    void ReadTransitions(EngineStepModel& model);
    void ReadItems(EngineStepModel& model);
    void ReadFields(EngineStepModel& model);
    void ReadKeyMaterials(EngineStepModel& model);
    void ReadRecipeLines(EngineStepModel& model);
    void ReadConstraints(EngineStepModel& model);
    void ReadVessels(EngineStepModel& model);
    long FirstID(const QString& sql, long fallback);

    CDaoDatabase& m_db;
};
