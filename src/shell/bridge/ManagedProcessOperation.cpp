#include "shell/bridge/ManagedProcessOperation.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/step/OperationSet.h"
#include "shell/bridge/ManagedSide.h"

bool CManagedProcessOperation::InvokeProcessOperation(long stepID, const QString& operationName,
                                                      long operationID, QString& result)
{
    if (m_flush)
        m_flush();
    return GetManagedSide()->DotNetInvokeProcessOperation(stepID, operationName, operationID, result);
}

bool CManagedProcessOperation::ProcessOperation(long stepID, long operationID)
{
    try {
        return StoreProcessedText(stepID, operationID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// The operation's row stays open around the managed call, which reads the step's data itself.
bool CManagedProcessOperation::StoreProcessedText(long stepID, long operationID)
{
    if (m_flush)
        m_flush();
    COperationSet operation;
    if (!operation.OpenSet(stepID, operationID) || operation.IsEOF())
        return false;
    QString text;
    if (!GetManagedSide()->DotNetInvokeProcessOperation(stepID, operation.GetText(QStringLiteral("QuorvantaLabel")),
                                                        operationID, text))
        return false;
    operation.Edit();
    operation.SetText(QStringLiteral("RecipeText"), text);
    operation.Update();
    return true;
}

void CManagedProcessOperation::ResetStepWiseCache()
{
    GetManagedSide()->DotNetInvokeResetStepWiseCache();
}
