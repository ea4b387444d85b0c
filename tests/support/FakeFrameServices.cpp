#include "FakeFrameServices.h"

#include <QComboBox>
#include <QListWidget>

#include <algorithm>

namespace {

struct Item {
    QString text;
    QVariant data;
    int oldIndex;
    bool operator<(const Item& other) const { return text < other.text; }
};

} // namespace

FakeFrameServices::FakeFrameServices()
{
    m_installed.Install<ProjectLifecycleServices>(this);
    m_installed.Install<ProgressServices>(this);
    m_installed.Install<SortServices>(this);
}

void FakeFrameServices::OnProjectOpened(bool newProject)
{
    record(QString("OnProjectOpened %1").arg(newProject ? "true" : "false"));
    projectOpen = true;
}

void FakeFrameServices::OnProjectClosed()
{
    record("OnProjectClosed");
    projectOpen = false;
}

void FakeFrameServices::BeginProgress(short lower, short upper, const QString& text)
{
    record(QString("BeginProgress %1 %2 %3").arg(lower).arg(upper).arg(text));
}

void FakeFrameServices::SortComboBoxItems(QComboBox* combo)
{
    record("SortComboBoxItems");
    std::vector<Item> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back({combo->itemText(i), combo->itemData(i), i});
    const int selected = combo->currentIndex();
    std::stable_sort(items.begin(), items.end());
    combo->clear();
    for (const Item& item : items)
        combo->addItem(item.text, item.data);
    const auto wasSelected = [selected](const Item& item) { return item.oldIndex == selected; };
    const auto at = std::find_if(items.begin(), items.end(), wasSelected);
    combo->setCurrentIndex(at == items.end() ? -1 : int(at - items.begin()));
}

void FakeFrameServices::SortListBoxItems(QListWidget* list)
{
    record("SortListBoxItems");
    list->sortItems(); // keeps each item's data and selection
}

void FakeFrameServices::SortTexts(QStringList& texts)
{
    record(QString("SortTexts %1").arg(texts.size()));
    std::sort(texts.begin(), texts.end());
}

QStringList FakeFrameServices::GetDisplayVector(const QString& listName)
{
    record("GetDisplayVector " + listName);
    return displayVectors.value(listName);
}

QStringList FakeFrameServices::callsNamed(const QString& name) const
{
    QStringList named;
    for (const QString& call : m_calls) {
        if (call == name || call.startsWith(name + ' '))
            named << call;
    }
    return named;
}
