#include "modules/engine/EngineStepBatchSize.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace {

bool Differs(const QVariant& stored, double value)
{
    if (stored.isNull())
        return true;
    const double old = stored.toDouble();
    return std::abs(old - value) > 1e-12 * std::max(std::abs(old), std::abs(value));
}

} // namespace

bool WriteStepBatchSize(long stepID, const EngineSchedule& schedule)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step)
        return false;
    const double mw = schedule.KeyOutputMolecularWeight();
    const double batchSize = schedule.Summary().batchSize / mw;
    try {
        QSqlQuery row = step->Query(
            QStringLiteral("SELECT BatchSize, BatchSizeMW FROM Step WHERE StepID = ?"), {qlonglong(stepID)});
        if (!row.next())
            return false;
        if (!Differs(row.value(0), batchSize) && !Differs(row.value(1), mw))
            return true;
        step->Execute(QStringLiteral("UPDATE Step SET BatchSize = ?, BatchSizeMW = ? WHERE StepID = ?"),
                      {batchSize, mw, qlonglong(stepID)});
    } catch (const CDaoException&) {
        return false;
    }
    SetProjectModified(true);
    return true;
}
