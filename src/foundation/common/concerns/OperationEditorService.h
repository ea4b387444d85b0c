#pragma once
// The managed side's operation editor as the subsystems see it, and the last primary equipment
// the user worked with (the editor preselects it). The shell's bridge installs the
// implementation; without one the editor changes nothing and the last equipment is -1.

#include <QString>

#include <optional>

class OperationEditorService {
public:
    virtual ~OperationEditorService() = default;
    // The edited operation's recipe text as OK wrote it; nothing on Cancel. After OK,
    // userComments (when given) receives the operation's comment text.
    virtual std::optional<QString> InvokeOperationEditor(long /*stepID*/, long /*operationID*/,
                                                         QString* /*userComments*/)
    {
        return std::nullopt;
    }
    virtual void SetLastPrimaryEquipmentID(long /*equipmentID*/) {}
    virtual long GetLastPrimaryEquipmentID() const { return -1; }
};

OperationEditorService* SetOperationEditorService(OperationEditorService* service); // returns the previous one
OperationEditorService* GetOperationEditorService();

// Through the installed service: nothing and -1 without one.
std::optional<QString> DotNetInvokeOperationDialog(long stepID, long operationID, QString* userComments);
void SetLastPrimaryEquipmentID(long equipmentID);
long GetLastPrimaryEquipmentID();
