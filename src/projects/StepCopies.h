#pragma once
// The steps' working copies of one open, written and flushed side by side (CWorkingCopyBatch).
// They may start before the project's step list is read, from the step files the free-space check
// found in the project folder, so that they are written while the project database is copied and
// opened. The walk then takes the copy of each step of the project, adding those not started; a
// copy never taken (of a file in the folder that is no step of the project) goes with the batch.

#include "foundation/db/files/WorkingCopyBatch.h"

#include <QHash>
#include <QString>

// How many step copies are under way ahead of the step being opened.
constexpr qsizetype STEP_COPIES_AHEAD = 64;

class CStepCopies {
public:
    // Whether the step has a copy added and not yet taken.
    bool Contains(long stepID) const { return m_index.contains(stepID); }
    void Add(long stepID, const QString& source, const QString& target);
    // The step's copy, which was added: "" once it is written and flushed, else why it is not
    // (CWorkingCopyBatch::Take). A step listed again gets a copy of its own.
    QString Take(long stepID);
    // Waits for every copy: "" when each flush succeeded, else the first failure's description.
    QString Finish() { return m_batch.Finish(); }

private:
    CWorkingCopyBatch m_batch;
    QHash<long, int> m_index; // the batch's number of each copy added and not taken
    int m_added = 0;
};
