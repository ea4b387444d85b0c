#pragma once
// The imported items of one kind whose library stamp differs from the project's, as update items.

#include "library/UpdateItem.h"
#include "modules/ravelstock/LibraryComponent.h"

#include <functional>

// Looks one item up in its library: false when that fails.
using LibraryLookup = std::function<bool(long serverID, const QString& location, LibraryItemInfo& info)>;

// Whether the five lists hold one entry each for the same items.
bool ParallelListsAgree(const ImportedItemLists& lists);
// Appends an item for each entry with a location, found in its library, whose stamps differ.
void CollectOutOfDateItems(const ImportedItemLists& lists, const LibraryLookup& lookUp, IUpdateInfoContainer* owner,
                           std::vector<UpdateItem*>& items);
