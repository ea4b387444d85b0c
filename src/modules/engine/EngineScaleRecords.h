#pragma once
// What the step database keeps of its scalings: one record per scaling (factor, operations, sizes
// in kg before and after) for its undo, and the sizes the last scaling or undo left, which answer
// the size queries until a run of the step completes. Raises CDaoException on a database error.

#include <QList>

class CDaoDatabase;

struct ScaleUpRecord {
    long recordID = 0;
    double factor = 1.0;
    double batchSizeBefore = 1e35;
    double batchSizeAfter = 1e35;
    double keyInputBefore = 1e35;
    double keyInputAfter = 1e35;
    QList<long> operationIDs;
};

// Sizes in kg; 1e35 = unset.
struct ScaleUpSizes {
    double batchSize = 1e35;
    double keyInput = 1e35;
};

class CEngineScaleRecords {
public:
    explicit CEngineScaleRecords(CDaoDatabase& step) : m_step(step) {}

    bool HasRecord();
    // The last record with its operations; false when there is none.
    bool Last(ScaleUpRecord& record);
    // The batch size before the first recorded scaling; 1e35 without a record.
    double FirstBatchSizeBefore();
    void Add(const ScaleUpRecord& record);
    void Drop(long recordID);

    // The sizes the last scaling or undo left; false when a run completed since (or none was made).
    bool PendingSizes(ScaleUpSizes& sizes);
    void SetPendingSizes(const ScaleUpSizes& sizes);
    void ClearPendingSizes();

private:
    CDaoDatabase& m_step;
};

// After a completed run of the step: the size queries answer its results again. Quiet on failure.
void ClearPendingScaleSizes(long stepID);
