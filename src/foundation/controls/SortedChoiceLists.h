#pragma once
// Choice lists sorted by the user-interface collation. The main frame does the sorting; without
// a main frame nothing is sorted.

#include <QString>
#include <QStringList>

class QComboBox;

// Sorts the combo box's entries, keeping each entry's item data and the selection.
void SortComboBox(QComboBox* combo);
// Sorts two or more texts in place, then joins them with "\n" (no separator after the last).
QString JoinStringList(QStringList& texts);
// out = the "\n"-separated list sorted; empty entries are kept.
void SortChoiceList(QString& out, const QString& list);
// out = the sorted, joined display texts of the managed list listName + "ListData";
// left unchanged without a main frame.
void GetDisplayChoiceList(const QString& listName, QString& out);
// out = the display text of key in the managed list listName + "ListData"; false (out unchanged)
// for an unknown list or key, or without a main frame.
bool GetDisplayValue(const QString& listName, const QString& key, QString& out);
// out = the key of the display text in the managed list listName + "ListData"; false (out
// unchanged) for an unknown list or text, or without a main frame.
bool GetKeyValue(const QString& listName, const QString& displayText, QString& out);
