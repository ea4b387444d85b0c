#pragma once
// Books a plan's batches on the plant in the plan's order, each its step's schedule moved as a
// whole. A batch starts at the latest of
// - its row's rules: the plan's start and its EarliestStartTime; its reference batch's start plus
//   its BatchTimeInterval; its reference batch's end unless its row overlaps. The reference is the
//   campaign's batch booked before it; for a campaign's first, the batch booked last;
// - each vessel it uses being left by the batch booked there before it (its last operation there):
//   every item holds one batch at a time, so the plan's shared-exclusive equipment serves its
//   campaigns in turn; a vessel that a transfer fills is held from the transfer's start;
// - its feed: along its process's step transitions, the upstream batches of its campaign have made
//   the key input it charges (cumulative key output >= cumulative key input). Without kg figures
//   each upstream batch feeds its share of the downstream ones. A step without upstream buys it.
// A batch whose feed is still to come waits, with its step's later batches, while the others are
// booked; it is booked as soon as its feed is. Feed that never comes is waited for as far as made.

#include "modules/engine/EnginePlanDetail.h"

#include <QHash>
#include <QPair>
#include <QSet>

class CEnginePlanBooking {
public:
    explicit CEnginePlanBooking(const EnginePlanRows& plan) : m_plan(plan) {}
    // False when the batches are not one per row of the plan.
    bool Book(QList<EnginePlanBatch>& batches);

private:
    using CampaignStep = QPair<long, long>; // requirement, step
    struct VesselUse {
        long equipmentID;
        double first; // from the batch's start
        double last;
    };
    struct Feed {
        CampaignStep upstream;
        double outputKg; // per upstream batch; 0 without a figure
        double inputKg;  // per batch fed
    };
    struct Made {
        int total = 0;
        QList<double> ends; // of the batches booked, ascending
    };

    CampaignStep StepOf(qsizetype index) const;
    void CountBatches();
    void FindFeeds();
    bool FeedReady(qsizetype index) const;
    int UpstreamBatchesNeeded(qsizetype index, const Feed& feed) const;
    double FeedStart(qsizetype index) const;
    double RowStart(qsizetype index) const;
    double VesselStart(qsizetype index);
    const QList<VesselUse>& UsesOf(const EngineSchedule& schedule);
    void Place(qsizetype index);
    void Wait(qsizetype index);
    void PlaceWaitingThatAreReady();

    const EnginePlanRows& m_plan;
    QList<EnginePlanBatch>* m_batches = nullptr;
    QHash<long, double> m_released; // by equipment: when its last batch leaves it
    QHash<CampaignStep, Made> m_made;
    QHash<CampaignStep, QList<Feed>> m_feeds;
    QHash<const EngineSchedule*, QList<VesselUse>> m_uses;
    QHash<long, qsizetype> m_lastOfCampaign;
    qsizetype m_lastBooked = -1;
    QList<qsizetype> m_waiting; // in plan order
    QSet<CampaignStep> m_stepsWaiting;
};
