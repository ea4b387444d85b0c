#include "modules/qvxl/QVXLEntry.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/schema/ResultsDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/qvxl/EquipmentWorkbook.h"
#include "modules/qvxl/MaterialReport.h"
#include "modules/qvxl/ReportDelivery.h"
#include "modules/qvxl/ReportNames.h"
#include "modules/qvxl/ResultsReports.h"

#include <QFile>
#include <QSqlQuery>
#include <memory>
#include <vector>

namespace {
bool UnknownReportCode(long reportCode)
{
    return ReportFailure(QStringLiteral("Unknown report code %1.").arg(reportCode));
}

bool NoResultsFor(const QString& name)
{
    return ReportFailure(QStringLiteral("There are no results for %1.").arg(name));
}

// The step's name for a report scope of one step; "Project" or "Facilities" for -1.
QString DataReportScope(long scopeID, const QString& whole)
{
    return scopeID == -1 ? whole : ReportStepName(scopeID);
}

std::unique_ptr<CResultsDatabase> OpenResults(const QString& fileName)
{
    auto results = std::make_unique<CResultsDatabase>();
    const QString path = ResultsFilePath(GetProjectDir(), fileName);
    if (!QFile::exists(path) || !results->Open(path))
        return nullptr;
    return results;
}

// The title of a run report: the ReportName of the code in [ReportOptions]; empty when unknown.
QString RunReportTitle(int reportCode)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project)
        return {};
    try {
        QSqlQuery query = project->Query(QStringLiteral("SELECT ReportName FROM ReportOptions WHERE ReportID = ?"),
                                         {reportCode});
        return query.next() ? query.value(0).toString() : QString();
    } catch (const CDaoException&) {
        return {};
    }
}

bool RunReport(int reportCode, const QString& name, const QString& resultsFile, long stepID)
{
    const QString title = RunReportTitle(reportCode);
    if (title.isEmpty())
        return UnknownReportCode(reportCode);
    const std::unique_ptr<CResultsDatabase> results = OpenResults(resultsFile);
    if (!results)
        return NoResultsFor(name);
    const QList<ReportSheet> sheets = RunReportSheets(title, name, *results, stepID);
    if (results->ReadFailed())
        return NoResultsFor(name);
    return DeliverReport(title, name, sheets);
}

bool EquipmentReport(long scopeID)
{
    QList<EquipmentReportRow> rows;
    try {
        CDaoDatabase equipment;
        equipment.Open(GetEquipmentDBPath(), DatabaseRole::ReadWrite);
        rows = ReadEquipmentReportRows(equipment);
    } catch (const CDaoException& error) {
        return ReportFailure(error.GetErrorDescription());
    }
    return DeliverReport(QStringLiteral("Equipment List"), DataReportScope(scopeID, QStringLiteral("Facilities")),
                         {EquipmentReportSheet(rows)});
}

bool MaterialDataReport(long scopeID, bool utilities)
{
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials)
        return ReportFailure(QStringLiteral("The material database could not be opened."));
    CDaoDatabase* step = scopeID == -1 ? nullptr : GetStepDatabase(scopeID);
    ReportSheet sheet;
    try {
        sheet = MaterialReportSheet(*materials, utilities, step);
    } catch (const CDaoException& error) {
        return ReportFailure(error.GetErrorDescription());
    }
    return DeliverReport(utilities ? QStringLiteral("Utility Data") : QStringLiteral("Material Data"),
                         DataReportScope(scopeID, QStringLiteral("Project")), {sheet});
}
} // namespace

bool QVXLEntry::dataReport(long reportCode, long scopeID)
{
    switch (reportCode) {
    case QVXL_EQUIPMENT_REPORT:
        return EquipmentReport(scopeID);
    case QVXL_MATERIAL_REPORT:
    case QVXL_UTILITY_REPORT:
        return MaterialDataReport(scopeID, reportCode == QVXL_UTILITY_REPORT);
    default:
        return UnknownReportCode(reportCode);
    }
}

bool QVXLEntry::caseCompareReport(int reportCode, long baseStepID, const QList<long>& stepIDs)
{
    if (reportCode != QVXL_CASE_COMPARE_REPORT)
        return UnknownReportCode(reportCode);
    QList<long> ids{baseStepID};
    for (long id : stepIDs) {
        if (!ids.contains(id))
            ids << id;
    }
    std::vector<std::unique_ptr<CResultsDatabase>> files;
    QList<CaseColumn> columns;
    for (long id : ids) {
        const QString name = ReportStepName(id);
        files.push_back(OpenResults(StepResultsFileName(id)));
        if (!files.back())
            return NoResultsFor(name);
        columns << CaseColumn{name, id, files.back().get()};
    }
    const ReportSheet sheet = CaseCompareSheet(columns);
    for (const CaseColumn& column : std::as_const(columns)) {
        if (column.results->ReadFailed())
            return NoResultsFor(column.name);
    }
    return DeliverReport(QStringLiteral("Case Comparison"), columns.front().name, {sheet});
}

bool QVXLEntry::processReport(int reportCode, long id)
{
    return RunReport(reportCode, ReportProcessName(id), ProcessResultsFileName(id), -1);
}

bool QVXLEntry::stepReport(int reportCode, long id)
{
    return RunReport(reportCode, ReportStepName(id), StepResultsFileName(id), id);
}

bool QVXLEntry::planReport(int reportCode, long id)
{
    return RunReport(reportCode, ReportPlanName(id), PlanResultsFileName(id), -1);
}
