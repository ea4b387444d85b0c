#pragma once
// The process-operation call of the managed executive, offered to the subsystems through the
// foundation's service interface. Pending database writes are flushed before each call.

#include "foundation/common/concerns/ProcessOperationService.h"

#include <functional>

class CManagedProcessOperation : public ProcessOperationService {
public:
    explicit CManagedProcessOperation(std::function<void()> flush) : m_flush(std::move(flush)) {}

    bool InvokeProcessOperation(long stepID, const QString& operationName, long operationID,
                                QString& result) override;
    bool ProcessOperation(long stepID, long operationID) override;
    // Their rows read together, handed over in one call; only changed texts are written.
    QList<long> ProcessOperations(long stepID, const QList<long>& operationIDs) override;
    void ResetStepWiseCache() override;

private:
    bool StoreProcessedText(long stepID, long operationID);
    void StoreProcessedTexts(long stepID, const QList<long>& operationIDs, QList<long>& changed);

    std::function<void()> m_flush;
};
