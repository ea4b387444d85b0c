// A favourite-operations list (".fop"): any bytes read as a name and ids, and what is written
// from them reads back the same.

#include "foundation/common/FavoriteOperations.h"
#include "FuzzTarget.h"

namespace {

void Entry(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const FavoriteOperationsFile read = ParseFavoriteOperations(bytes);
    if (read.name.size() > FAVORITE_NAME_LIMIT)
        FuzzFailure("a favourite list's name is longer than its limit");
    const FavoriteOperationsFile again = ParseFavoriteOperations(FormatFavoriteOperations(read));
    if (again.name != read.name || again.operationTypeIDs != read.operationTypeIDs)
        FuzzFailure("a favourite list read back from its written form differs");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "three", FormatFavoriteOperations({"My operations", {101, 205, 3}}));
    WriteSeed(folder, "name-only", FormatFavoriteOperations({QString::fromUtf8("Fl\xC3\xBCssig"), {}}));
}

} // namespace

QV_FUZZ_TARGET(favorite_operations, Entry, Seeds)
