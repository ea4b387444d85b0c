#include "shell/WindowLayoutCheck.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QToolBar>
#include <QtEndian>

namespace {
// The markers of the state's sections and of a dock area's entries.
constexpr quint8 TOOLBARS_OLD = 0xfe;
constexpr quint8 TOOLBARS = 0xfc;
constexpr quint8 DOCK_AREAS = 0xfd;
constexpr quint8 FLOATING_TABS = 0xf9;
constexpr quint8 SEQUENCE = 0xfc;
constexpr quint8 TABS = 0xfa;
constexpr quint8 WIDGET = 0xfb;
constexpr qint32 STATE_MARKER = 0xff;
constexpr qint32 AREA_COUNT = 4;
constexpr int MAX_NESTING = 8;
constexpr quint32 MAX_NAME_BYTES = 1024;
constexpr qint32 MAX_COORDINATE = 1 << 26; // above the largest widget size, far from overflow

// Big-endian reads that fail instead of running past the data.
class CStateReader {
public:
    explicit CStateReader(const QByteArray& data) : m_data(data) {}
    bool atEnd() const { return m_at == m_data.size(); }
    bool skip(qsizetype bytes)
    {
        if (bytes < 0 || bytes > m_data.size() - m_at)
            return false;
        m_at += bytes;
        return true;
    }
    bool byte(quint8& value)
    {
        if (!skip(1))
            return false;
        value = quint8(m_data.at(m_at - 1));
        return true;
    }
    bool int32(qint32& value)
    {
        if (!skip(4))
            return false;
        value = qFromBigEndian<qint32>(m_data.constData() + m_at - 4);
        return true;
    }
    bool count(qint32& value, qint32 most) { return int32(value) && value >= 0 && value <= most; }
    bool position(qint32& value) { return count(value, AREA_COUNT - 1); }
    // A name: its byte length (all ones for none), then UTF-16.
    bool name()
    {
        qint32 bytes = 0;
        if (!int32(bytes))
            return false;
        return bytes == -1 || (quint32(bytes) <= MAX_NAME_BYTES && bytes % 2 == 0 && skip(bytes));
    }
    bool coordinates(int how_many)
    {
        for (qint32 value = 0; how_many-- > 0;)
            if (!int32(value) || value < -MAX_COORDINATE || value > MAX_COORDINATE)
                return false;
        return true;
    }

private:
    const QByteArray& m_data;
    qsizetype m_at = 0;
};

// What the window has room for; each entry read takes from it. Each floating tab area holds a dock
// of its own: there are never more of them than docks.
struct CLayoutBudget {
    qint32 docks = 0;
    qint32 sequences = 0;
    qint32 toolbars = 0;
    qint32 floatingAreas = 0;
    bool toolbarsSeen = false;
    bool docksSeen = false;
};

bool DockAreaEntries(CStateReader& in, CLayoutBudget& budget, int depth, qint32 leastEntries = 0);

bool DockAreaEntry(CStateReader& in, CLayoutBudget& budget, int depth)
{
    quint8 marker = 0;
    if (!in.byte(marker))
        return false;
    if (marker == WIDGET) {
        quint8 flags = 0;
        return budget.docks-- > 0 && in.name() && in.byte(flags) && in.coordinates(4);
    }
    return marker == SEQUENCE && budget.sequences-- > 0 && in.coordinates(4) &&
           DockAreaEntries(in, budget, depth + 1);
}

// leastEntries: a floating tab area without a dock is none the window ever wrote.
bool DockAreaEntries(CStateReader& in, CLayoutBudget& budget, int depth, qint32 leastEntries)
{
    quint8 marker = 0, orientation = 0;
    qint32 entries = 0, current = 0;
    if (depth > MAX_NESTING || !in.byte(marker) || (marker != SEQUENCE && marker != TABS))
        return false;
    if (marker == TABS && !in.int32(current))
        return false;
    if (!in.byte(orientation) || !in.count(entries, budget.docks + budget.sequences) || entries < leastEntries)
        return false;
    for (qint32 k = 0; k < entries; ++k)
        if (!DockAreaEntry(in, budget, depth))
            return false;
    return true;
}

bool DockAreas(CStateReader& in, CLayoutBudget& budget)
{
    qint32 areas = 0, position = 0;
    if (budget.docksSeen || !in.count(areas, AREA_COUNT))
        return false;
    budget.docksSeen = true;
    for (qint32 a = 0; a < areas; ++a)
        if (!in.position(position) || !in.coordinates(2) || !DockAreaEntries(in, budget, 0))
            return false;
    return in.coordinates(2) && in.coordinates(4); // the central widget's size, the corners
}

bool ToolBarLines(CStateReader& in, CLayoutBudget& budget, quint8 marker)
{
    // Older states keep each figure as a point.
    const qsizetype figures = marker == TOOLBARS ? 4 * 4 : 3 * 8;
    qint32 lines = 0, position = 0, bars = 0;
    if (budget.toolbarsSeen || !in.count(lines, budget.toolbars))
        return false;
    budget.toolbarsSeen = true;
    for (qint32 l = 0; l < lines; ++l) {
        if (!in.position(position) || !in.count(bars, budget.toolbars))
            return false;
        budget.toolbars -= bars;
        for (qint32 b = 0; b < bars; ++b) {
            quint8 shown = 0;
            if (!in.name() || !in.byte(shown) || !in.skip(figures))
                return false;
        }
    }
    return true;
}

bool Section(CStateReader& in, CLayoutBudget& budget)
{
    quint8 marker = 0;
    if (!in.byte(marker))
        return false;
    switch (marker) {
    case TOOLBARS_OLD:
    case TOOLBARS:
        return ToolBarLines(in, budget, marker);
    case DOCK_AREAS:
        return DockAreas(in, budget);
    case FLOATING_TABS:
        return budget.floatingAreas-- > 0 && in.coordinates(4) && DockAreaEntries(in, budget, 0, 1);
    default:
        return false;
    }
}
} // namespace

bool IsRestorableWindowState(const QByteArray& state, const QMainWindow& window)
{
    CLayoutBudget budget;
    budget.docks = qint32(window.findChildren<QDockWidget*>().size());
    budget.sequences = budget.docks + AREA_COUNT;
    budget.floatingAreas = budget.docks;
    budget.toolbars = qint32(window.findChildren<QToolBar*>().size());
    CStateReader in(state);
    qint32 marker = 0, version = 0;
    if (!in.int32(marker) || marker != STATE_MARKER || !in.int32(version) || version != 0)
        return false;
    while (!in.atEnd())
        if (!Section(in, budget))
            return false;
    return true;
}

bool IsRestorableWindowGeometry(const QByteArray& geometry)
{
    // Magic, version, the frame and normal rectangles, the screen, two flags, then by version the
    // screen's width and the geometry itself.
    constexpr quint32 MAGIC = 0x01D9D0CB;
    constexpr qsizetype SIZE_OF_VERSION[] = {0, 46, 50, 66};
    if (geometry.size() < 8 || qFromBigEndian<quint32>(geometry.constData()) != MAGIC)
        return false;
    const quint16 major = qFromBigEndian<quint16>(geometry.constData() + 4);
    if (major < 1 || major > 3 || geometry.size() != SIZE_OF_VERSION[major])
        return false;
    CStateReader in(geometry);
    return in.skip(8) && in.coordinates(9);
}
