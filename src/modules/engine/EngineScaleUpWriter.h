#pragma once
// Writes a scaling into the step database: the scalable field and range values (amounts and
// volumes) of the operations multiplied by the factor, their range texts written again, and the
// step row's sizes. Raises CDaoException on a database error; the caller's transaction holds it.

#include <QList>

class CDaoDatabase;

class CEngineScaleUpWriter {
public:
    explicit CEngineScaleUpWriter(CDaoDatabase& step) : m_step(step) {}

    // The operations outside the step's scale-invariant list that hold a set scalable value, by id.
    QList<long> ScalableOperations();
    // Multiplies the scalable values of these operations and writes their non-empty range texts again.
    void ScaleOperations(const QList<long>& operationIDs, double factor);
    // BatchSize and KeyInputBatchSize (and ScaleFactor when asked; Null counts 1) times the factor;
    // OriginalBatchSize takes the batch size before when this is the step's first scaling.
    void ScaleStepRow(double factor, bool scaleFactor, bool firstScaling);

private:
    CDaoDatabase& m_step;
};
