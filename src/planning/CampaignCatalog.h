#pragma once
// The campaigns a production plan can hold: every process of the project, then every step once
// (a step linked into several processes still gives one entry), and how a grid cell's text or
// item finds its campaign.

#include "planning/CampaignItem.h"

#include <QList>
#include <QStringList>

class CCampaignCatalog {
public:
    enum LoadResult { Loaded, Failed };

    // Reads the processes and steps of the open project. Failed: a set did not open (quietly) or
    // a step's table is empty (after its message); the items read so far stay.
    LoadResult Load();

    const QList<CampaignItem>& Items() const { return m_items; }
    const CampaignItem& At(int index) const { return m_items.at(index); }
    // The index of the item of that kind (ignoring case) and id; -1 when there is none.
    int Find(const QString& kind, long id) const;
    // The campaign of a cell: the item it was loaded or picked with while its text is still that
    // item's entry; otherwise the one entry whose text equals the text ignoring case, or else the
    // one entry that begins with it. -1 when no entry or more than one fits.
    int Resolve(const QString& text, qint64 storedIndex) const;

private:
    bool LoadProcesses();
    LoadResult LoadSteps();
    QString MaterialName(long materialID) const;
    int UniqueMatch(const QString& text, bool prefix) const;

    void Append(const CampaignItem& item);

    QList<CampaignItem> m_items;
    QStringList m_entryTexts; // of each item
};
