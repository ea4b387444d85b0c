#pragma once
// The managed side's operation editor offered to the subsystems, through the main frame (which
// keeps the last primary equipment the editor preselects and flushes pending writes first).

#include "foundation/common/concerns/OperationEditorService.h"

class CMainFrame;

class CManagedOperationDialog : public OperationEditorService {
public:
    explicit CManagedOperationDialog(CMainFrame& frame) : m_frame(frame) {}
    std::optional<QString> InvokeOperationEditor(long stepID, long operationID, QString* userComments) override;
    void SetLastPrimaryEquipmentID(long equipmentID) override;
    long GetLastPrimaryEquipmentID() const override;

private:
    CMainFrame& m_frame;
};
