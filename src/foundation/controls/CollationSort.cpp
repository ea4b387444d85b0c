#include "foundation/controls/CollationSort.h"

#include <QCollator>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>

namespace {

QCollator UiCollator()
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Order of the indices 0..texts.size()-1 that sorts the texts; equal texts keep their order.
std::vector<int> SortedOrder(const QStringList& texts)
{
    std::vector<int> order(texts.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[i] = i;
    const QCollator collator = UiCollator();
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return collator.compare(texts[a], texts[b]) < 0; });
    return order;
}

} // namespace

void CollationSortTexts(QStringList& texts)
{
    const std::vector<int> order = SortedOrder(texts);
    QStringList sorted;
    for (int i : order)
        sorted.append(texts[i]);
    texts = sorted;
}

void CollationSortComboBox(QComboBox* combo)
{
    if (!combo || combo->count() < 2)
        return;
    QStringList texts;
    QList<QMap<int, QVariant>> roles;
    QAbstractItemModel* model = combo->model();
    for (int i = 0; i < combo->count(); ++i) {
        texts.append(combo->itemText(i));
        roles.append(model->itemData(model->index(i, combo->modelColumn(), combo->rootModelIndex())));
    }
    const int selected = combo->currentIndex();
    const QString editText = combo->isEditable() ? combo->currentText() : QString();
    const std::vector<int> order = SortedOrder(texts);
    QSignalBlocker block(combo);
    combo->clear();
    int newSelected = -1;
    for (int i : order) {
        combo->addItem(texts[i]);
        model->setItemData(model->index(combo->count() - 1, combo->modelColumn(), combo->rootModelIndex()),
                           roles[i]);
        if (i == selected)
            newSelected = combo->count() - 1;
    }
    combo->setCurrentIndex(newSelected);
    if (combo->isEditable())
        combo->setEditText(editText);
}

void CollationSortListWidget(QListWidget* list)
{
    if (!list || list->count() < 2)
        return;
    QStringList texts;
    QList<QListWidgetItem*> items;
    const QListWidgetItem* current = list->currentItem();
    QList<bool> wasSelected;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
        wasSelected.append(list->item(i)->isSelected());
    }
    while (list->count() > 0)
        items.append(list->takeItem(0));
    const std::vector<int> order = SortedOrder(texts);
    QSignalBlocker block(list);
    for (int i : order) {
        list->addItem(items[i]);
        items[i]->setSelected(wasSelected[i]);
        if (items[i] == current)
            list->setCurrentItem(items[i], QItemSelectionModel::NoUpdate);
    }
}
