#include "foundation/common/FavoriteOperations.h"

#include "foundation/common/NewFile.h"
#include "foundation/common/RegularFile.h"
#include "foundation/common/concerns/AppContext.h"

#include <QSettings>
#include <QStringDecoder>
#include <array>
#include <cctype>

namespace {
constexpr char16_t BYTE_ORDER_MARK = 0xFEFF;
// Far above a name and every operation type's id: a larger file is read no further.
constexpr qint64 FAVORITE_FILE_LIMIT = 1 << 20;

// Byte-order marks (zero-width no-break spaces) at the start of a name: dropped on reading and on
// writing, so a written name never starts with what the reader takes for the file's mark.
QString WithoutLeadingMarks(QString text)
{
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar(BYTE_ORDER_MARK))
        ++marks;
    return text.remove(0, marks);
}

// UTF-8 (byte-order marks dropped); a file of the old code-page form reads as Latin-1.
QString DecodeFavoriteText(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : WithoutLeadingMarks(text);
}

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
    // The user picked the file: it may be a link, but only a regular file is read.
    const RegularFileRead file =
        ReadRegularFile(path, LinkRule::Follow, FAVORITE_FILE_LIMIT, OverBound::ReadNoFurther);
    if (!file.read())
        return std::nullopt;
    return ParseFavoriteOperations(file.bytes);
}

FavoriteOperationsFile ParseFavoriteOperations(const QByteArray& bytes)
{
    const QString text = DecodeFavoriteText(bytes);
    const qsizetype lineEnd = text.indexOf('\n');
    QString name = lineEnd < 0 ? text : text.left(lineEnd);
    if (name.endsWith('\r'))
        name.chop(1);
    const QByteArray rest = lineEnd < 0 ? QByteArray() : text.mid(lineEnd + 1).toLatin1();
    return FavoriteOperationsFile{name.left(FAVORITE_NAME_LIMIT), ReadIntegers(rest, 0)};
}

QByteArray FormatFavoriteOperations(const FavoriteOperationsFile& file)
{
    // The name is the first line: a line break in it would end it early, or be taken for the
    // line end when no ids follow.
    QString name = WithoutLeadingMarks(file.name);
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    QByteArray bytes = name.toUtf8();
    for (const long id : file.operationTypeIDs)
        bytes += "\r\n" + QByteArray::number(qlonglong(id));
    return bytes;
}

// The file the user picked is replaced by a new one, never written through a link standing there.
bool WriteFavoriteOperationsFile(const QString& path, const FavoriteOperationsFile& file)
{
    return ReplaceWithNewFile(path, FormatFavoriteOperations(file), nullptr);
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
