#include "modules/qvxl/ReportNames.h"

#include "foundation/common/AppContext.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"

#include <QSqlQuery>

namespace {
QString ReadReportName(const char* sql, long id)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return {};
    try {
        QSqlQuery query = project->Query(QString::fromLatin1(sql), {qlonglong(id)});
        return query.next() ? query.value(0).toString() : QString();
    } catch (const CDaoException&) {
        return {};
    }
}
} // namespace

QString ReportStepName(long stepID)
{
    return ReadReportName("SELECT StepName || ' (' || IFNULL(StepVersionName, '') || ')' FROM ProjectStep"
                          " WHERE StepID = ?",
                          stepID);
}

QString ReportProcessName(long processID)
{
    return ReadReportName("SELECT ProcessName || ' (' || IFNULL(ProcessVersionName, '') || ')' FROM Process"
                          " WHERE ProcessID = ?",
                          processID);
}

QString ReportPlanName(long planID)
{
    return ReadReportName("SELECT PlanName FROM ProductionPlan WHERE PlanID = ?", planID);
}
