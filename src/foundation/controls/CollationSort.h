#pragma once
// The one culture-aware sort of choice lists (user-interface language collation).
// Combo and list entries keep their item data, and the selected entry stays selected.

#include <QStringList>

class QComboBox;
class QListWidget;

void CollationSortTexts(QStringList& texts);
void CollationSortComboBox(QComboBox* combo);
void CollationSortListWidget(QListWidget* list);
