#include "modules/quickresults/QuickResultsDoc.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>

namespace {

constexpr double kSecondsPerHour = 3600.0;

QString EquipmentTag(long equipmentID)
{
    if (equipmentID <= 0)
        return QString();
    if (CDaoDatabase* equipment = GetSharedEquipmentDB()) {
        QSqlQuery row = equipment->Query(
            QStringLiteral("SELECT QVTag FROM ActualEquipmentCommon WHERE ActualEquipmentID = ?"), {qlonglong(equipmentID)});
        if (row.next() && !row.value(0).toString().isEmpty())
            return row.value(0).toString();
    }
    return QStringLiteral("#%1").arg(equipmentID);
}

QStringList VisibleRemarks(CResultsDatabase& results, long stepID, long operationID)
{
    QStringList remarks;
    for (const ResultsRemark& remark : results.Remarks(stepID, operationID)) {
        if (isMessageVisible(remark.messageID))
            remarks << QStringLiteral("%1 %2: %3").arg(remark.type).arg(remark.messageID).arg(remark.text);
    }
    return remarks;
}

QList<QuickResultsRow> ReadQuickResults(long stepID, long operationID)
{
    QList<QuickResultsRow> rows;
    CResultsDatabase results;
    if (stepID < 0 || operationID < 0 || !results.Open(ResultsFilePath(GetProjectDir(), StepResultsFileName(stepID))))
        return rows;
    for (const ResultsScheduleRow& scheduled : results.Schedule(stepID)) {
        if (scheduled.operationID != operationID)
            continue;
        rows.append({scheduled.start / kSecondsPerHour, scheduled.end / kSecondsPerHour,
                     scheduled.duration / kSecondsPerHour, EquipmentTag(scheduled.equipmentID), {}});
    }
    if (!rows.isEmpty())
        rows.first().remarks = VisibleRemarks(results, stepID, operationID);
    if (results.ReadFailed())
        rows.clear(); // as without results
    return rows;
}

} // namespace

int CQuickResultsDoc::showResults(long stepID, long operationID)
{
    QList<QuickResultsRow> rows = ReadQuickResults(stepID, operationID);
    if (rows.isEmpty())
        return 0;
    m_stepID = stepID;
    m_operationID = operationID;
    m_rows = std::move(rows);
    return 1;
}

bool HasQuickResults(long stepID, long operationID)
{
    return !ReadQuickResults(stepID, operationID).isEmpty();
}
