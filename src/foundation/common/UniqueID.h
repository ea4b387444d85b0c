#pragma once
// New 32-bit ids for tables keyed by generated ids, and short GUID prefixes for transition ids.
// An id is a fixed string hash of a fresh UUID text; 0, -1 (0xFFFFFFFF) and an optional
// excluded range are drawn again, and so is an id the caller says is taken.

#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

// Inclusive range of ids a caller keeps for other uses.
struct IdRange {
    long low;
    long high;
    bool contains(long id) const { return id >= low && id <= high; }
};

using IdTakenFunction = std::function<bool(long id)>;
using IdDrawFunction = std::function<quint32()>;

long GenerateUniqueID(std::optional<IdRange> excluded = std::nullopt);
// Draws again while exists(id) says the id is already a key.
long GenerateUniqueID(const IdTakenFunction& exists, std::optional<IdRange> excluded = std::nullopt);
// The redraw rule over any source of raw values (the two above draw from fresh UUIDs).
long DrawUniqueID(const IdDrawFunction& draw, std::optional<IdRange> excluded, const IdTakenFunction& exists);

// "{%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}"
QString FormatGuidText(const QUuid& guid);
// The fixed 32-bit hash (FNV-1a over the UTF-8 bytes) the ids are made from.
quint32 HashIdText(const QString& text);

// 8 upper-case hex digits of a fresh GUID; "" (after a message) when none can be made.
QString CreateGuidPrefix();
