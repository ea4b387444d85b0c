#pragma once
// A simulated step for scaling: a reactor with two charges (100 kg in 100 l, 50 kg in 50 l) and a
// tank with one (100 kg in 80 l) side by side, and a Continuous unit; every amount and volume
// stored, the first charge with an amount range. Batch size 250 kg (5 kmol of a key output of
// 50 kg/kmol), key input 100 kg.

#include "EngineFixture.h"

constexpr long TANK = 502;
constexpr long CONTINUOUS = 503;
constexpr long FOREIGN = 504;
constexpr long KEY_OUTPUT = 701;
constexpr long KEY_INPUT = 702;

class ScalingFixture : public EngineFixture {
protected:
    void OpenScalingStep(bool simulate = true);
    // Stored values of the operation on that recipe line.
    double Stored(long sequence, OperationField field);
    QPair<double, double> Range(long sequence);
    QVariant StepColumn(const QString& column);
    // Makes the step row's next update fail.
    void FailStepUpdates();

    RecordingStatus status;
};
