#include "foundation/common/FavoriteOperations.h"

#include "foundation/common/AppContext.h"

#include <QFile>
#include <QSettings>
#include <array>
#include <cctype>

namespace {
// A reader takes at most this many characters of the first line, its line end included.
constexpr qsizetype NAME_LINE_LIMIT = 99;

int ListNumber(int listIndex)
{
    return listIndex == 0 || listIndex == 1 ? listIndex + 1 : 3;
}

// Signed decimal integers one after another, separated by white space, up to the first that
// does not read.
QList<long> ReadIntegers(const QByteArray& text, qsizetype position)
{
    QList<long> values;
    for (;;) {
        while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
            ++position;
        qsizetype end =
            position + (position < text.size() && (text[position] == '-' || text[position] == '+'));
        const qsizetype digits = end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        bool ok = false;
        const long value = end > digits ? text.mid(position, end - position).toLong(&ok) : 0;
        if (!ok)
            return values;
        values.append(value);
        position = end;
    }
}

std::array<std::optional<QString>, 3>& KeptNames()
{
    static std::array<std::optional<QString>, 3> names;
    return names;
}
} // namespace

std::optional<FavoriteOperationsFile> ReadFavoriteOperationsFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    qsizetype lineEnd = text.indexOf('\n');
    lineEnd = lineEnd < 0 ? text.size() : lineEnd + 1;
    const qsizetype nameLength = qMin(lineEnd, NAME_LINE_LIMIT);
    QByteArray name = text.left(nameLength);
    while (name.endsWith('\n') || name.endsWith('\r'))
        name.chop(1);
    return FavoriteOperationsFile{QString::fromLocal8Bit(name), ReadIntegers(text, nameLength)};
}

QString FavoriteOperationsPath(int listIndex)
{
    AppContext* app = GetAppContext();
    QSettings* profile = app ? app->profile() : nullptr;
    if (!profile)
        return QString();
    return profile->value(QStringLiteral("Favorite Operations %1/Path").arg(ListNumber(listIndex)))
        .toString();
}

Array<long> LoadAllFavoriteOperations(int listIndex)
{
    Array<long> ids;
    if (const auto file = ReadFavoriteOperationsFile(FavoriteOperationsPath(listIndex))) {
        for (const long id : file->operationTypeIDs)
            ids.Add(id);
    }
    return ids;
}

QString GetFavoriteOperationsName(int mode, int listIndex, const QString&)
{
    std::optional<QString>& kept = KeptNames()[ListNumber(listIndex) - 1];
    if (mode != 3 || !kept) {
        const auto file = ReadFavoriteOperationsFile(FavoriteOperationsPath(listIndex));
        kept = file ? file->name : QString();
    }
    return *kept;
}
