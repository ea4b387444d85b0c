#pragma once
// Hands one operation of a step to the managed executive's process-operation call. The shell's
// bridge installs the implementation; without one nothing is handed over.

#include <QString>

class ProcessOperationService {
public:
    virtual ~ProcessOperationService() = default;
    // The regenerated recipe text goes to result; false when nothing was processed.
    virtual bool InvokeProcessOperation(long /*stepID*/, const QString& /*operationName*/,
                                        long /*operationID*/, QString& /*result*/)
    {
        return false;
    }
};

ProcessOperationService*
SetProcessOperationService(ProcessOperationService* service); // returns the previous one
ProcessOperationService* GetProcessOperationService();
