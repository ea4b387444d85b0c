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
    // What is written reads back as it was written (a carriage return ending a name without
    // ids is taken for a line end).
    const FavoriteOperationsFile written = ParseFavoriteOperations(FormatFavoriteOperations(read));
    const FavoriteOperationsFile again = ParseFavoriteOperations(FormatFavoriteOperations(written));
    if (again.name != written.name || again.operationTypeIDs != written.operationTypeIDs)
        FuzzFailure("a written favourite list reads back otherwise");
}

void Seeds(const QString& folder)
{
    WriteSeed(folder, "three", FormatFavoriteOperations({"My operations", {101, 205, 3}}));
    WriteSeed(folder, "name-only", FormatFavoriteOperations({QString::fromUtf8("Fl\xC3\xBCssig"), {}}));
}

} // namespace

QV_FUZZ_TARGET(favorite_operations, Entry, Seeds)
