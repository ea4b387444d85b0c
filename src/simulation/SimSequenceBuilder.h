#pragma once
// Builds the sequence dialog's columns and records: from the plan's requirements (one column per
// batch of each step with a visible operation, at most 30 batches a requirement, the batch counts
// estimated from the last calculated batch sizes where the plan gives none), or from the lines of
// the plan's sequence file, checked against the steps' recipes.

#include "foundation/common/SimSequenceRecipe.h"
#include "simulation/SimSequenceLayout.h"

#include <QHash>

struct SimSequenceBuild {
    QList<SimSequenceColumn> columns;
    QList<SimSequenceRecord> records;
    QString messages; // of the batch-count estimate, "\r\n"-separated
};

class CSimSequenceBuilder {
public:
    explicit CSimSequenceBuilder(long planID) : m_planID(planID) {}

    SimSequenceBuild BuildFromPlan();
    // False when the lines do not list the visible operations of their columns' steps in order.
    bool BuildFromLines(const QList<SimSequenceLine>& lines, SimSequenceBuild& build);

private:
    struct Requirement {
        long requirementID = 0;
        long targetID = 0;
        bool isProcess = false;
        double quantity = 0;
        QString uom;
    };
    QList<Requirement> ReadRequirements() const;
    QList<long> ProcessSteps(long processID) const;
    QString ProcessName(long processID) const;
    int BatchCount(const Requirement& requirement, QStringList& messages);
    double BatchSize(const Requirement& requirement);
    void AddBatchColumn(long stepID, SimSequenceBuild& build);
    const SimSequenceStepRecipe& Recipe(long stepID);

    long m_planID;
    QHash<long, SimSequenceStepRecipe> m_recipes;
    QHash<long, int> m_batchesOfStep;
};

// A step's label of its n-th batch column.
QString SimSequenceColumnLabel(const SimSequenceStepRecipe& recipe, int batch);
// Rounded up with a tolerance of 1e-6 (2.3 gives 3, 2 + 5e-7 gives 2); nothing positive gives 0.
double SimSequenceBatchCountOf(double total);
