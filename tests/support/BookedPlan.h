#pragma once
// A plan run's schedule read back per batch and per vessel, and the checks of a plan a plant could
// run: a vessel holds one batch at a time (from the start of a transfer that fills it, where the
// holds are given), and a batch starts once its upstream has made its feed.

#include "foundation/db/schema/ResultsDatabase.h"

#include <QMap>
#include <gtest/gtest.h>

#include <algorithm>

struct BookedBatch {
    long step = 0;
    double start = 1e35, end = 0;
};

class BookedPlan {
public:
    explicit BookedPlan(const QList<ResultsScheduleRow>& rows, const QList<ResultsVesselHold>& holds = {})
    {
        for (const ResultsScheduleRow& row : rows) {
            BookedBatch& batch = batches[row.batchNumber];
            batch.step = row.stepID;
            batch.start = std::min(batch.start, row.start);
            batch.end = std::max(batch.end, row.end);
            Use(row.equipmentID, row.batchNumber, row.start, row.end);
        }
        for (const ResultsVesselHold& hold : holds)
            Use(hold.equipmentID, hold.batchNumber, hold.start, hold.end);
    }

    // Each vessel's uses, one per batch, in order of start: none starts before the one before ends.
    void ExpectOneBatchPerVessel() const
    {
        for (auto vessel = m_uses.cbegin(); vessel != m_uses.cend(); ++vessel) {
            QList<BookedBatch> uses = vessel->values();
            std::sort(uses.begin(), uses.end(),
                      [](const auto& a, const auto& b) { return a.start < b.start; });
            for (qsizetype i = 1; i < uses.size(); ++i)
                EXPECT_GE(uses.at(i).start + 1e-6, uses.at(i - 1).end) << "vessel " << vessel.key();
        }
    }

    // Batch k of `step`, by start, finds k x `charged` kg made by the ended batches of `upstream`,
    // each making `made` kg.
    void ExpectFedBeforeStart(long step, double charged, long upstream, double made) const
    {
        QList<double> starts;
        for (const BookedBatch& batch : batches)
            if (batch.step == step)
                starts.append(batch.start);
        std::sort(starts.begin(), starts.end());
        for (qsizetype k = 0; k < starts.size(); ++k) {
            const auto ended = std::count_if(batches.cbegin(), batches.cend(), [&](const BookedBatch& batch) {
                return batch.step == upstream && batch.end <= starts.at(k) + 1e-6;
            });
            EXPECT_GE(double(ended) * made + 1e-6, double(k + 1) * charged)
                << "batch " << k + 1 << " of " << step;
        }
    }

    int Count(long step) const
    {
        return int(
            std::count_if(batches.cbegin(), batches.cend(), [&](const auto& b) { return b.step == step; }));
    }

    QMap<long, BookedBatch> batches; // by batch number

private:
    void Use(long equipmentID, long batchNumber, double start, double end)
    {
        BookedBatch& use = m_uses[equipmentID][batchNumber];
        use.start = std::min(use.start, start);
        use.end = std::max(use.end, end);
    }

    QMap<long, QMap<long, BookedBatch>> m_uses; // by equipment, then batch
};
