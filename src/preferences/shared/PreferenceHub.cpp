#include "preferences/shared/PreferenceHub.h"

QHash<int, PreferenceHub::Entry>& PreferenceHub::entries()
{
    static QHash<int, Entry> table;
    return table;
}

void PreferenceHub::setEntry(int buttonID, Entry entry)
{
    if (entry)
        entries().insert(buttonID, std::move(entry));
    else
        entries().remove(buttonID);
}

bool PreferenceHub::hasEntry(int buttonID)
{
    return entries().contains(buttonID);
}

bool PreferenceHub::runEntry(int buttonID, QWidget* parent)
{
    const auto found = entries().constFind(buttonID);
    if (found == entries().constEnd())
        return false;
    const Entry entry = *found; // the entry may replace itself while it runs
    return entry(parent);
}
