#include "results/ScheduleChart.h"

#include <QMap>

#include <algorithm>
#include <numeric>

namespace {

QString UnitProcedureTitle(const ScheduleEntry& entry)
{
    const QString caption =
        entry.unitProcedure.isEmpty() ? QStringLiteral("(no unit procedure)") : entry.unitProcedure;
    return entry.vesselTag.isEmpty() ? caption
                                     : caption + QStringLiteral(" [") + entry.vesselTag + QLatin1Char(']');
}

ScheduleBar OperationBar(const ScheduleEntry& entry, int index)
{
    return {entry.start, entry.end, entry.Caption(), entry.severity, entry.breakpoint, {index}};
}

// Rows per unit procedure of the entries given (indexes), in recipe order.
QList<ScheduleRow> UnitProcedureRows(const QList<ScheduleEntry>& entries, const QList<int>& indexes)
{
    QMap<std::pair<int, long>, ScheduleRow> rows; // (recipe order, unit procedure)
    for (int index : indexes) {
        const ScheduleEntry& entry = entries.at(index);
        ScheduleRow& row = rows[{entry.recipeOrder, entry.unitProcedureID}];
        if (row.title.isEmpty())
            row.title = UnitProcedureTitle(entry);
        row.bars << OperationBar(entry, index);
    }
    return rows.values();
}

QList<ScheduleRow> ProcessRows(const QList<ScheduleEntry>& entries)
{
    QMap<long, QList<int>> byStep;
    QMap<long, double> firstStart;
    for (int i = 0; i < entries.size(); ++i) {
        const ScheduleEntry& entry = entries.at(i);
        byStep[entry.stepID] << i;
        firstStart[entry.stepID] = std::min(firstStart.value(entry.stepID, entry.start), entry.start);
    }
    QList<long> steps = byStep.keys(); // in the order they first run
    std::stable_sort(steps.begin(), steps.end(),
                     [&firstStart](long a, long b) { return firstStart.value(a) < firstStart.value(b); });
    QList<ScheduleRow> rows;
    for (long step : steps) {
        rows << ScheduleRow{entries.at(byStep.value(step).first()).stepName, true, {}};
        rows << UnitProcedureRows(entries, byStep.value(step));
    }
    return rows;
}

// A bar per batch of a step on each equipment item, from its first start to its last end.
QList<ScheduleRow> PlanRows(const QList<ScheduleEntry>& entries)
{
    QMap<QString, QMap<std::pair<long, long>, ScheduleBar>> byEquipment; // tag -> (step, batch)
    for (int i = 0; i < entries.size(); ++i) {
        const ScheduleEntry& entry = entries.at(i);
        const QString tag = entry.equipmentTag.isEmpty() ? entry.vesselTag : entry.equipmentTag;
        auto& bars = byEquipment[tag.isEmpty() ? QStringLiteral("(no equipment)") : tag];
        const std::pair<long, long> key{entry.stepID, entry.batchNumber};
        if (!bars.contains(key))
            bars.insert(key, {entry.start,
                              entry.end,
                              QStringLiteral("%1 #%2").arg(entry.stepName).arg(entry.batchNumber),
                              entry.severity,
                              entry.breakpoint,
                              {}});
        ScheduleBar& bar = bars[key];
        bar.start = std::min(bar.start, entry.start);
        bar.end = std::max(bar.end, entry.end);
        bar.severity = std::max(bar.severity, entry.severity);
        bar.breakpoint = bar.breakpoint || entry.breakpoint;
        bar.entries << i;
    }
    QList<ScheduleRow> rows;
    for (auto it = byEquipment.constBegin(); it != byEquipment.constEnd(); ++it) {
        QList<ScheduleBar> bars = it.value().values();
        std::sort(bars.begin(), bars.end(),
                  [](const ScheduleBar& a, const ScheduleBar& b) { return a.start < b.start; });
        rows << ScheduleRow{it.key(), false, bars};
    }
    return rows;
}

// Each bar goes into the first lane free at its start; a row has as many lanes as it needs.
void AssignLanes(ScheduleRow& row)
{
    std::stable_sort(row.bars.begin(), row.bars.end(),
                     [](const ScheduleBar& a, const ScheduleBar& b) { return a.start < b.start; });
    QList<double> laneEnds;
    for (ScheduleBar& bar : row.bars) {
        int lane = 0;
        while (lane < laneEnds.size() && laneEnds.at(lane) > bar.start)
            ++lane;
        if (lane == laneEnds.size())
            laneEnds << bar.end;
        laneEnds[lane] = std::max(bar.end, bar.start);
        bar.lane = lane;
    }
    row.lanes = std::max(1, int(laneEnds.size()));
}

} // namespace

bool ScheduleChart::FindEntry(int entry, int* row, int* bar) const
{
    for (int r = 0; r < rows.size(); ++r) {
        for (int b = 0; b < rows.at(r).bars.size(); ++b) {
            if (rows.at(r).bars.at(b).entries.contains(entry)) {
                *row = r;
                *bar = b;
                return true;
            }
        }
    }
    return false;
}

ScheduleChart LayOutSchedule(ScheduleKind kind, QList<ScheduleEntry> entries)
{
    ScheduleChart chart;
    chart.kind = kind;
    chart.entries = std::move(entries);
    for (const ScheduleEntry& entry : chart.entries)
        chart.span = std::max(chart.span, entry.end);
    QList<int> all(chart.entries.size());
    std::iota(all.begin(), all.end(), 0);
    switch (kind) {
    case ScheduleKind::Step:
        chart.rows = UnitProcedureRows(chart.entries, all);
        break;
    case ScheduleKind::Process:
        chart.rows = ProcessRows(chart.entries);
        break;
    case ScheduleKind::Plan:
        chart.rows = PlanRows(chart.entries);
        break;
    }
    for (ScheduleRow& row : chart.rows)
        AssignLanes(row);
    return chart;
}
