#include "modules/engine/DesignResultsWriter.h"

#include "foundation/db/schema/SchemaBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

bool WriteDesignSummary(CSchemaBuilder& builder, const DesignSummaryRow& row)
{
    return builder.Execute(
        QStringLiteral(
            "INSERT INTO DesignSummary (StepID, Amount, TimeHorizon, FacilityID, Heuristic, NumberOfBatches, "
            "BatchSize, ScaleFactor, CycleTime, Iterations, Feasible) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?)"),
        {qlonglong(row.stepID), row.amountKg, row.horizonSeconds, qlonglong(row.facilityID),
         row.heuristic.isNull() ? QStringLiteral("") : row.heuristic, qlonglong(row.batches), row.batchKg,
         row.factor, row.cycleSeconds, row.iterations, row.feasible ? 1 : 0});
}

// All rows in one statement over a JSON array of [unit procedure, before, after, fixed, capacity, need].
bool WriteDesignEquipmentRows(CSchemaBuilder& builder, long stepID, const QList<DesignEquipmentRow>& rows)
{
    if (rows.isEmpty())
        return true;
    QJsonArray array;
    for (const DesignEquipmentRow& row : rows)
        array.append(QJsonArray{qint64(row.unitProcedureID), qint64(row.before), qint64(row.after),
                                row.fixed ? 1 : 0, row.capacity, row.need});
    return builder.Execute(
        QStringLiteral(
            "INSERT INTO DesignEquipment (StepID, UnitProcedureID, EquipmentBefore, EquipmentAfter, Fixed, "
            "Capacity, Need) SELECT ?, value ->> 0, value ->> 1, value ->> 2, value ->> 3, value ->> 4, "
            "value ->> 5 FROM json_each(?) ORDER BY key"),
        {qlonglong(stepID), QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact))});
}

QList<ResultsRemark> AllRemarks(const EngineDesignInputs& batchRun, long stepID, const QList<long>& remarkIDs)
{
    QList<ResultsRemark> remarks = batchRun.remarks;
    for (long id : remarkIDs)
        remarks.append({stepID, 0, id, {}, {}});
    return remarks;
}

} // namespace

bool WriteDesignResults(const QString& target, const EngineDesignInputs& batchRun,
                        const DesignSummaryRow& summary, const QList<DesignEquipmentRow>& equipment,
                        const QList<long>& remarkIDs)
{
    return WriteResultsAtomically(target, [&](CSchemaBuilder& builder) {
        return WriteRunSummary(builder, batchRun.lastRun) && WriteScheduleRows(builder, batchRun.schedule) &&
               WriteMessageRemarks(builder, AllRemarks(batchRun, summary.stepID, remarkIDs)) &&
               WriteDesignSummary(builder, summary) &&
               WriteDesignEquipmentRows(builder, summary.stepID, equipment);
    });
}
