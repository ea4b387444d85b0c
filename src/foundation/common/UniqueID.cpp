#include "foundation/common/UniqueID.h"

#include "foundation/common/MessageBox.h"

namespace {

bool isUsable(long id, const std::optional<IdRange>& excluded)
{
    return id != 0 && id != -1 && !(excluded && excluded->contains(id));
}

quint32 drawFromFreshGuid()
{
    const QUuid guid = QUuid::createUuid();
    if (guid.isNull()) {
        QvMessageBox(QStringLiteral("System Error creating Globally Unique ID"), MB_OK | MB_ICONSTOP);
        return HashIdText(QString());
    }
    return HashIdText(FormatGuidText(guid));
}

} // namespace

quint32 HashIdText(const QString& text)
{
    quint32 hash = 2166136261u;
    for (const char byte : text.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 16777619u;
    }
    return hash;
}

QString FormatGuidText(const QUuid& guid)
{
    const uchar* d = guid.data4;
    return QString::asprintf("{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.data1, guid.data2,
                             guid.data3, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
}

long DrawUniqueID(const IdDrawFunction& draw, std::optional<IdRange> excluded, const IdTakenFunction& exists)
{
    for (;;) {
        const long id = qint32(draw());
        if (isUsable(id, excluded) && !(exists && exists(id)))
            return id;
    }
}

long GenerateUniqueID(std::optional<IdRange> excluded)
{
    return DrawUniqueID(drawFromFreshGuid, excluded, nullptr);
}

long GenerateUniqueID(const IdTakenFunction& exists, std::optional<IdRange> excluded)
{
    return DrawUniqueID(drawFromFreshGuid, excluded, exists);
}

QString CreateGuidPrefix()
{
    const QUuid guid = QUuid::createUuid();
    if (guid.isNull()) {
        QvMessageBox(QStringLiteral("Error creating Globally Unique ID"), MB_OK | MB_ICONSTOP);
        return QString();
    }
    return QString::asprintf("%08X", guid.data1);
}
