#include "library/UpdateItemCollector.h"

#include "foundation/common/LibraryStampRule.h"

#include <memory>

bool ParallelListsAgree(const ImportedItemLists& lists)
{
    const qsizetype count = lists.localIDs.size();
    return lists.localNames.size() == count && lists.localStamps.size() == count &&
           lists.serverIDs.size() == count && lists.serverLocations.size() == count;
}

void CollectOutOfDateItems(const ImportedItemLists& lists, const LibraryLookup& lookUp, IUpdateInfoContainer* owner,
                           std::vector<UpdateItem*>& items)
{
    std::vector<std::unique_ptr<UpdateItem>> made; // handed over only when every look-up returned
    for (qsizetype i = 0; i < lists.localIDs.size(); ++i) {
        const QString& location = lists.serverLocations.at(i);
        LibraryItemInfo info;
        if (location.isEmpty() || !lookUp(lists.serverIDs.at(i), location, info) ||
            LibraryStampsEqual(lists.localStamps.at(i), info.stamp))
            continue;
        auto item = std::make_unique<UpdateItem>();
        *item = {owner, lists.localIDs.at(i), lists.serverIDs.at(i), lists.localNames.at(i), info.name,
                 location, lists.localStamps.at(i), info.stamp};
        made.push_back(std::move(item));
    }
    for (auto& item : made)
        items.push_back(item.release());
}
