#pragma once
// The step entries the report scope dialogs offer: "name (version)" of each step's own [Step] row
// with its id.

#include <QList>
#include <QString>

class QComboBox;

struct ReportStepEntry {
    QString text;
    long stepID = -1;
};

// Every step of the project but START (any case), in table order. A step whose [Step] row cannot
// be read stops the list with "Can't open step table!", one without a row with "Step table is
// empty!"; the entries read before it are kept.
QList<ReportStepEntry> ReadProjectStepEntries();

// The entries into the combo, none selected, sorted by the frame's sort.
void FillStepCombo(QComboBox* combo, const QList<ReportStepEntry>& entries);

// "name (version)" of the step's [Step] row; false when the row cannot be read (quietly) and
// `empty` tells whether the set opened without a row.
bool ReadStepEntryText(long stepID, QString& text, bool& empty);
