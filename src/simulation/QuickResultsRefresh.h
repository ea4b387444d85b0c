#pragma once
// The frame's services over the open Quick Results windows: opening one for an operation,
// following the selection, retitling, and bringing them up to date after a completed run.
// Windows are found through the document host (kind Quick Results, keyed by step id).

#include <QString>

class CQuickResultsView;
class QTreeWidgetItem;

// After a completed run of the step: each window of the step shows its operation again, else the
// step's next visible operation, else it closes.
void RefreshQuickResultsOfStep(long stepID);
// Opens (or reuses) the step's window on the operation; "There are no results for the selected
// Operation." when the operation has none.
void ShowQuickResultsWindow(long stepID, long operationID);
// The step's open window follows the operation (nothing when it has no results for it).
void PointQuickResultsAt(long stepID, long operationID);
// "Quick Results: " + step label + " - " + operation label from the Process Explorer item.
void SetQuickResultsTitle(CQuickResultsView& view, QTreeWidgetItem* operationItem);
// The operation the Process Explorer's selection gives: the selected one, else the selected
// step's first visible operation; -1 when there is none.
long ExplorerQuickResultsOperation(long* stepID);
