#include "modules/engine/EnginePlanBooking.h"

#include "modules/engine/EngineBalance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFeedTolerance = 1e-6; // of a batch
constexpr double kUnsetSize = 1e35;

double BatchStart(const EnginePlanBatch& batch)
{
    return batch.starts.isEmpty() ? 0.0 : *std::min_element(batch.starts.begin(), batch.starts.end());
}

bool HasFigure(double kg)
{
    return kg > 0 && kg < kUnsetSize;
}

// False when both steps name their key materials and the upstream's output is not the other's input.
bool Feeds(const EngineSchedule& upstream, const EngineSchedule& downstream)
{
    const long output = upstream.balance ? upstream.balance->keyOutputID : 0;
    const long input = downstream.balance ? downstream.balance->keyInputID : 0;
    return output == 0 || input == 0 || output == input;
}

} // namespace

bool CEnginePlanBooking::Book(QList<EnginePlanBatch>& batches)
{
    if (batches.size() != m_plan.rows.size())
        return false;
    m_batches = &batches;
    CountBatches();
    FindFeeds();
    for (qsizetype i = 0; i < batches.size(); ++i) {
        if (m_stepsWaiting.contains(StepOf(i)) || !FeedReady(i)) {
            Wait(i);
            continue;
        }
        Place(i);
        PlaceWaitingThatAreReady();
    }
    while (!m_waiting.isEmpty()) // feed that is never made in full: after what is made
        Place(m_waiting.takeFirst());
    return true;
}

CEnginePlanBooking::CampaignStep CEnginePlanBooking::StepOf(qsizetype index) const
{
    return {m_plan.rows.at(index).requirementID, m_batches->at(index).stepID};
}

void CEnginePlanBooking::CountBatches()
{
    for (qsizetype i = 0; i < m_batches->size(); ++i)
        ++m_made[StepOf(i)].total;
}

// Per campaign step, the steps of its campaign that feed it along the process's transitions.
void CEnginePlanBooking::FindFeeds()
{
    QHash<long, const EngineSchedule*> schedules;
    for (const EnginePlanBatch& batch : std::as_const(*m_batches))
        schedules.insert(batch.stepID, batch.schedule.get());
    for (auto made = m_made.cbegin(); made != m_made.cend(); ++made) {
        const CampaignStep downstream = made.key();
        const EngineSchedule* fed = schedules.value(downstream.second);
        for (const auto& [from, to] : m_plan.stepTransitions.value(downstream.first)) {
            const CampaignStep upstream{downstream.first, from};
            if (to != downstream.second || from == to || !m_made.contains(upstream))
                continue;
            const EngineSchedule* feeding = schedules.value(from);
            if (Feeds(*feeding, *fed))
                m_feeds[downstream].append(
                    {upstream, feeding->wholeRunSizes.batchSize, fed->wholeRunSizes.keyInputBatchSize});
        }
    }
}

bool CEnginePlanBooking::FeedReady(qsizetype index) const
{
    for (const Feed& feed : m_feeds.value(StepOf(index))) {
        const Made& made = m_made.value(feed.upstream);
        if (made.ends.size() < made.total && UpstreamBatchesNeeded(index, feed) > made.ends.size())
            return false;
    }
    return true;
}

// How many upstream batches must have ended before this one, the next of its step, may start.
int CEnginePlanBooking::UpstreamBatchesNeeded(qsizetype index, const Feed& feed) const
{
    const double k = double(m_made.value(StepOf(index)).ends.size() + 1);
    double needed = 0;
    if (HasFigure(feed.outputKg) && feed.inputKg >= 0 && feed.inputKg < kUnsetSize)
        needed = k * feed.inputKg / feed.outputKg;
    else
        needed = k * m_made.value(feed.upstream).total / m_made.value(StepOf(index)).total;
    return int(std::ceil(needed - kFeedTolerance));
}

double CEnginePlanBooking::FeedStart(qsizetype index) const
{
    double start = 0;
    for (const Feed& feed : m_feeds.value(StepOf(index))) {
        const QList<double>& ends = m_made.value(feed.upstream).ends;
        const qsizetype needed = std::min<qsizetype>(UpstreamBatchesNeeded(index, feed), ends.size());
        if (needed > 0)
            start = std::max(start, ends.at(needed - 1));
    }
    return start;
}

double CEnginePlanBooking::RowStart(qsizetype index) const
{
    const EnginePlanDetailRow& row = m_plan.rows.at(index);
    double start = std::max(0.0, row.earliestStart);
    const qsizetype reference = m_lastOfCampaign.value(row.requirementID, m_lastBooked);
    if (reference >= 0) {
        const EnginePlanBatch& before = m_batches->at(reference);
        start = std::max(start, BatchStart(before) + row.interval);
        if (!row.overlap)
            start = std::max(start, EnginePlanBatchEnd(before));
    }
    return start;
}

double CEnginePlanBooking::VesselStart(qsizetype index)
{
    double start = 0;
    for (const VesselUse& use : UsesOf(*m_batches->at(index).schedule)) {
        const auto released = m_released.constFind(use.equipmentID);
        if (released != m_released.cend())
            start = std::max(start, *released - use.first);
    }
    return start;
}

// Each vessel the schedule uses, from its first operation there (or the start of a transfer that
// fills it) to its last.
const QList<CEnginePlanBooking::VesselUse>& CEnginePlanBooking::UsesOf(const EngineSchedule& schedule)
{
    auto found = m_uses.find(&schedule);
    if (found != m_uses.end())
        return *found;
    QList<VesselUse> uses;
    const auto use = [&uses](long equipmentID, double start, double end) {
        if (equipmentID == 0)
            return;
        auto known = std::find_if(uses.begin(), uses.end(),
                                  [&](const VesselUse& u) { return u.equipmentID == equipmentID; });
        if (known == uses.end())
            uses.append({equipmentID, start, end});
        else
            *known = {equipmentID, std::min(known->first, start), std::max(known->last, end)};
    };
    for (const EngineScheduledOperation& operation : schedule.operations) {
        use(operation.equipmentID, operation.start, operation.end);
        use(operation.receivingEquipmentID, operation.start, operation.end);
    }
    return *m_uses.insert(&schedule, uses);
}

void CEnginePlanBooking::Place(qsizetype index)
{
    EnginePlanBatch& batch = (*m_batches)[index];
    const double start = std::max({RowStart(index), VesselStart(index), FeedStart(index)});
    PlaceEnginePlanBatch(batch, start);
    for (const VesselUse& use : UsesOf(*batch.schedule)) {
        double& released = m_released[use.equipmentID];
        released = std::max(released, start + use.last);
    }
    QList<double>& ends = m_made[StepOf(index)].ends;
    const double end = EnginePlanBatchEnd(batch);
    ends.insert(std::upper_bound(ends.begin(), ends.end(), end) - ends.begin(), end);
    m_lastOfCampaign.insert(m_plan.rows.at(index).requirementID, index);
    m_lastBooked = index;
}

void CEnginePlanBooking::Wait(qsizetype index)
{
    m_waiting.append(index);
    m_stepsWaiting.insert(StepOf(index));
}

// Books the waiting batches whose feed has come, each step's in its order, until none is left.
void CEnginePlanBooking::PlaceWaitingThatAreReady()
{
    for (bool booked = true; booked && !m_waiting.isEmpty();) {
        booked = false;
        QSet<CampaignStep> blocked;
        for (qsizetype w = 0; w < m_waiting.size(); ++w) {
            const qsizetype index = m_waiting.at(w);
            if (blocked.contains(StepOf(index)) || !FeedReady(index)) {
                blocked.insert(StepOf(index));
                continue;
            }
            Place(index);
            m_waiting.removeAt(w--);
            booked = true;
        }
        m_stepsWaiting = blocked;
    }
}
