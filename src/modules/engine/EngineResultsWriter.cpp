#include "modules/engine/EngineResultsWriter.h"

#include "foundation/db/schema/SchemaBuilder.h"

#include <QSet>

namespace {

void AddPartRows(const EngineResultsPart& part, QList<ResultsScheduleRow>& rows, QList<ResultsRemark>& remarks)
{
    QSet<long> written;
    for (int i = 0; i < part.count; ++i) {
        const EngineScheduledOperation& operation = part.schedule->operations.at(i);
        rows.append({part.schedule->stepID, operation.operationID, operation.start + part.offset,
                     operation.end + part.offset, operation.end - operation.start, operation.equipmentID});
        written.insert(operation.operationID);
    }
    for (const EngineRemark& remark : part.schedule->remarks) {
        if (written.contains(remark.operationID))
            remarks.append({part.schedule->stepID, remark.operationID, remark.messageID, {}, remark.text});
    }
}

} // namespace

bool WriteEngineResults(const QString& target, const ResultsRunSummary& summary,
                        const QList<EngineResultsPart>& parts)
{
    QList<ResultsScheduleRow> rows;
    QList<ResultsRemark> remarks;
    for (const EngineResultsPart& part : parts)
        AddPartRows(part, rows, remarks);
    return WriteResultsAtomically(target, [&](CSchemaBuilder& builder) {
        return WriteRunSummary(builder, summary) && WriteScheduleRows(builder, rows) &&
               WriteMessageRemarks(builder, remarks);
    });
}

bool WriteEngineRunRemark(const QString& target, long messageID)
{
    const QList<ResultsRemark> remark = {{0, 0, messageID, {}, {}, 0}};
    return WriteResultsAtomically(target, [&](CSchemaBuilder& builder) {
        return WriteRunSummary(builder, ResultsRunSummary()) && WriteMessageRemarks(builder, remark);
    });
}
