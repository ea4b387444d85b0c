#pragma once
// What the step scaling dialog may store, read before it opens: both scale-invariant lists and the
// step's PrevScalingOption, UndoPrevScalingDone and PrevScaledBatchSize. A run that ends before the
// engine scaled puts them back, in one transaction.

#include <QString>
#include <QVariant>

class CScaleUpSnapshot {
public:
    explicit CScaleUpSnapshot(long stepID);
    // Quiet when the step cannot be written: nothing better can be done then.
    void Restore();
    // A script's scaling: the step's record as the dialog's OK writes it, with the size before.
    void WriteAutomationRecord(int target, double sizeBefore);

private:
    long m_stepID;
    bool m_read = false;
    QString m_current; // the lists' rows as JSON
    QString m_previous;
    QVariantList m_stepColumns;
};
