#pragma once
// Stand-in of the operation-dialog module's constraint dialogs: ordinal 20 (the parallel-to
// constraints of a parallel block), 21 and 22 (the Starts-After constraints of an operation or a
// unit procedure). Each asks through the constraint dialog service, then replaces the item's rows
// in one transaction; it answers nonzero only when the rows changed.

#include <QList>
#include <QString>

#include <optional>

// One constraint the user may choose: starts after the item (or, for a block, runs parallel to it).
struct ConstraintChoice {
    long itemID = -1;
    QString label; // shown in the dialog
    double delay = 0.0;
    QString delayUOM;

    bool operator==(const ConstraintChoice& other) const
    {
        return itemID == other.itemID && delay == other.delay && delayUOM == other.delayUOM;
    }
};

class ConstraintDialogService {
public:
    virtual ~ConstraintDialogService() = default;
    // The chosen constraints among candidates (current ones first chosen); nullopt: cancelled.
    virtual std::optional<QList<ConstraintChoice>> AskConstraints(const QString& title,
                                                                  const QList<ConstraintChoice>& candidates,
                                                                  const QList<ConstraintChoice>& current,
                                                                  const QStringList& timeUnits);
};

// Ordinal 20: the block's first operation runs parallel to the first operation of each later series.
int OPDialogParallelBlockDelay(const QString& projectFilePath, long stepID, long blockID);
// Ordinals 21 and 22: what the item starts after, among the items above it.
int OPDialogOperationConstraints(const QString& projectFilePath, long stepID, long operationID);
int OPDialogUnitProcedureConstraints(const QString& projectFilePath, long stepID, long unitProcedureID);
