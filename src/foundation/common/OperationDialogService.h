#pragma once
// The managed side's operation editor as the subsystems see it, and the last primary equipment
// the user worked with (the editor preselects it). The shell's bridge installs the
// implementation; without one the editor changes nothing and the last equipment is -1.

#include <QString>

#include <optional>

class OperationDialogService {
public:
    virtual ~OperationDialogService() = default;
    // The edited operation's new recipe text; nothing when the editor changed nothing (Cancel).
    // On a change, userComments (when given) receives the operation's comment text.
    virtual std::optional<QString> InvokeOperationDialog(long /*stepID*/, long /*operationID*/,
                                                         QString* /*userComments*/)
    {
        return std::nullopt;
    }
    virtual void SetLastPrimaryEquipmentID(long /*equipmentID*/) {}
    virtual long GetLastPrimaryEquipmentID() const { return -1; }
};

OperationDialogService* SetOperationDialogService(OperationDialogService* service); // returns the previous one
OperationDialogService* GetOperationDialogService();

// Through the installed service: nothing and -1 without one.
std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments);
void SetLastPrimaryEquipmentID(long equipmentID);
long GetLastPrimaryEquipmentID();
