#pragma once
// A scaling of a step whose operations run on their types' defaults: before the scalable values are
// multiplied, each scalable default (a field type with Scalable set, such as Amount and Volume) that
// an operation outside the scale-invariant list does not hold is written as a field row of the
// operation's first group (a new group when it has none) with the default's value and unit. The rows
// written are kept with the scaling's record, and its undo deletes them. Raises CDaoException; the
// caller's transaction holds the writes.

#include <QList>

class CDaoDatabase;

struct ScaledDefaultRow {
    long fieldID = -1;
    long createdGroupID = -1; // -1: the field went into a group the operation had
};

class CEngineScaleDefaults {
public:
    explicit CEngineScaleDefaults(CDaoDatabase& step) : m_step(step) {}

    // Writes the missing scalable defaults; answers the rows written.
    QList<ScaledDefaultRow> WriteMissing();
    // Keeps the rows with the step's last scaling record.
    void KeepWithLastRecord(const QList<ScaledDefaultRow>& rows);
    // Deletes the rows kept with the record (and the groups written for them) and forgets them.
    void DropRecord(long recordID);

private:
    CDaoDatabase& m_step;
};
