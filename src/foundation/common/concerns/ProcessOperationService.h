#pragma once
// Hands one operation of a step to the managed executive's process-operation call. The shell's
// bridge installs the implementation; without one nothing is handed over.

#include <QList>
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
    // Regenerates the operation's stored RecipeText: pending writes flushed, the operation's row
    // read, processed and written back. False when nothing was stored (a database error is shown).
    virtual bool ProcessOperation(long /*stepID*/, long /*operationID*/) { return false; }
    // The same of several operations of one step, in order; answers those whose stored text may
    // have changed. Here: each through ProcessOperation, every one stored answered.
    virtual QList<long> ProcessOperations(long stepID, const QList<long>& operationIDs);
    // Forgets what the managed side keeps of the steps; before recipe texts are regenerated.
    virtual void ResetStepWiseCache() {}
};

ProcessOperationService*
SetProcessOperationService(ProcessOperationService* service); // returns the previous one
ProcessOperationService* GetProcessOperationService();

// Through the installed service: false (nothing stored) and nothing without one.
bool ProcessOperation(long stepID, long operationID);
QList<long> ProcessOperations(long stepID, const QList<long>& operationIDs);
void ResetStepWiseCache();
