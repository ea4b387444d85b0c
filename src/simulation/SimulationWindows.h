#pragma once
// The result-window concern as the frame offers it: Quick Results opened and kept in step with the
// selection, the result files of a context, and a step's simulation reset through the frame's
// batch run (which also lets go of its progress dialog).

#include "foundation/common/concerns/SubsystemConcerns.h"

class CBatchSimulation;

class CSimulationWindows : public ResultWindowServices {
public:
    explicit CSimulationWindows(CBatchSimulation& batch) : m_batch(batch) {}

    void SyncLinkedWindows(long stepID, long itemID, LinkedItemType itemType, SyncSource source) override;
    void ShowQuickResults(long stepID, long operationID) override;
    void UpdateQuickResultsOperation(long stepID, long operationID) override;
    void ResetStepSimulation(long stepID, const QString& mode) override;
    bool ResultFilesExist(const ContextRecord& context) const override;

private:
    CBatchSimulation& m_batch;
};
