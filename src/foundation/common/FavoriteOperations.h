#pragma once
// The user's three favourite-operation lists. Each is a ".fop" text file named in the profile
// (section "Favorite Operations 1" to "3", value "Path"): the menu name on the first line, then
// the operation type ids in menu order.

#include "foundation/common/Array.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct FavoriteOperationsFile {
    QString name;
    QList<long> operationTypeIDs;
};

// A reader keeps this many characters of a longer name.
constexpr qsizetype FAVORITE_NAME_LIMIT = 98;

// The file's name and ids; nullopt when it cannot be read.
std::optional<FavoriteOperationsFile> ReadFavoriteOperationsFile(const QString& path);
// The name is the first line (CR LF or LF), at most 98 characters; the ids follow it one after
// another until one does not read. UTF-8 with or without a byte-order mark; other bytes are Latin-1.
FavoriteOperationsFile ParseFavoriteOperations(const QByteArray& bytes);
// UTF-8, lines ending in CR LF, no line end after the last line: a menu without ids is its name alone.
// A line break in the name is written as a blank.
QByteArray FormatFavoriteOperations(const FavoriteOperationsFile& file);
// Writes the whole file or nothing: a failed write leaves the old file as it was.
bool WriteFavoriteOperationsFile(const QString& path, const FavoriteOperationsFile& file);
// The profile's path of the list (0, 1 or 2; any other index is list 3); "" when none is set.
QString FavoriteOperationsPath(int listIndex);
// The operation type ids of the list; empty when it has no readable file.
Array<long> LoadAllFavoriteOperations(int listIndex);
// Mode 3 answers the kept menu name of the list (read once); any other mode reads the list's
// file again first. "" when the list has no file.
QString GetFavoriteOperationsName(int mode, int listIndex, const QString& unused = QString());
