#include "shell/bridge/ManagedProcessOperation.h"

#include "shell/bridge/ManagedSide.h"

bool CManagedProcessOperation::InvokeProcessOperation(long stepID, const QString& operationName,
                                                      long operationID, QString& result)
{
    if (m_flush)
        m_flush();
    return GetManagedSide()->DotNetInvokeProcessOperation(stepID, operationName, operationID, result);
}
