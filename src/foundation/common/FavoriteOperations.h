#pragma once
// The user's three favourite-operation lists. Each is a ".fop" text file named in the profile
// (section "Favorite Operations 1" to "3", value "Path"): the menu name on the first line, then
// the operation type ids in menu order.

#include "foundation/common/Array.h"

#include <QList>
#include <QString>
#include <optional>

struct FavoriteOperationsFile {
    QString name;
    QList<long> operationTypeIDs;
};

// The file's name and ids; nullopt when it cannot be read. The name is the first line, at most 98
// characters; ids are read one after another until one does not read.
std::optional<FavoriteOperationsFile> ReadFavoriteOperationsFile(const QString& path);
// The profile's path of the list (0, 1 or 2; any other index is list 3); "" when none is set.
QString FavoriteOperationsPath(int listIndex);
// The operation type ids of the list; empty when it has no readable file.
Array<long> LoadAllFavoriteOperations(int listIndex);
// Mode 3 answers the kept menu name of the list (read once); any other mode reads the list's
// file again first. "" when the list has no file.
QString GetFavoriteOperationsName(int mode, int listIndex, const QString& unused = QString());
