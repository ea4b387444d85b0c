#include "results/DataReportCommands.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/AttachedDatabase.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/ExecuteSQL.h"
#include "foundation/db/connection/SharedDatabases.h"
#include "modules/qvxl/QVXLEntry.h"
#include "results/CaseCompareDialog.h"
#include "results/ExportCollector.h"
#include "results/SelectStepOrProjectDialog.h"

#include <QSqlQuery>

namespace {
ReportScopeChooser* g_reportScopeChooser = nullptr;

using ExportCollect = bool (*)(CDaoDatabase&, long, bool);

QList<long> ReportProjectSteps()
{
    QList<long> ids;
    if (CDaoDatabase* project = GetProjectDatabase()) {
        QSqlQuery query =
            project->Query(QStringLiteral("SELECT StepID FROM ProjectStep WHERE StepName <> 'START' ORDER BY StepID"));
        while (query.next())
            ids << long(query.value(0).toLongLong());
    }
    return ids;
}

// Every step's ids into the target, the first creating it; stops at the first failure. No step:
// the empty target table.
bool CollectExportScope(CDaoDatabase& target, long scope, ExportCollect collect, const char* table)
{
    if (scope != -1)
        return collect(target, scope, false);
    const QList<long> steps = ReportProjectSteps();
    if (steps.isEmpty())
        return ExecuteSQL(&target, QStringLiteral("CREATE TABLE %1 (MaterialID INTEGER)").arg(QLatin1String(table)));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (!collect(target, steps[i], i > 0))
            return false;
    }
    return true;
}

bool RunExportReport(long reportCode, ExportCollect collect, const char* table)
{
    const std::optional<long> scope = GetReportScopeChooser().ChooseStepOrProject();
    if (!scope)
        return false;
    CDaoDatabase* materials = GetSharedMaterialsDB();
    if (!materials) {
        QvMessageBox(QStringLiteral("The material database could not be opened."), MB_ICONSTOP);
        return false;
    }
    const bool collected = CollectExportScope(*materials, *scope, collect, table);
    const bool reported = collected && QVXLEntry().dataReport(reportCode, *scope);
    if (ExportTableStands(*materials, table))
        ExecuteSQL(materials, QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
    return reported;
}

// The step's distinct equipment into TempEquipmentIDTable of the equipment database.
bool CollectStepEquipment(CDaoDatabase& equipment, long stepID)
{
    try {
        CAttachedDatabase step(equipment, GetStepDBPath(stepID), QStringLiteral("QvReportStep"));
        equipment.Execute(QStringLiteral("CREATE TABLE TempEquipmentIDTable AS SELECT DISTINCT EquipmentID AS"
                                         " ActualEquipmentID FROM QvReportStep.QryStepAllEquipment"));
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription(), MB_ICONSTOP);
        return false;
    }
}
} // namespace

std::optional<long> ReportScopeChooser::ChooseStepOrProject()
{
    CSelectStepOrProjectDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.projectChosen() ? -1 : dialog.selectedStepID();
}

std::optional<long> ReportScopeChooser::ChooseStep()
{
    CSelectStepDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedStepID();
}

std::optional<QList<long>> ReportScopeChooser::ChooseCases(long baseStepID, const QString& baseStepName)
{
    CCaseCompareDialog dialog(baseStepID, baseStepName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedStepIDs();
}

ReportScopeChooser* SetReportScopeChooser(ReportScopeChooser* chooser)
{
    ReportScopeChooser* previous = g_reportScopeChooser;
    g_reportScopeChooser = chooser;
    return previous;
}

ReportScopeChooser& GetReportScopeChooser()
{
    static ReportScopeChooser dialogs;
    return g_reportScopeChooser ? *g_reportScopeChooser : dialogs;
}

bool RunMaterialDataReport()
{
    return RunExportReport(QVXL_MATERIAL_REPORT, &CollectMaterialsForExport, MATERIAL_EXPORT_TABLE);
}

bool RunUtilityDataReport()
{
    return RunExportReport(QVXL_UTILITY_REPORT, &CollectUtilitiesForExport, UTILITY_EXPORT_TABLE);
}

bool RunStepEquipmentReport()
{
    const std::optional<long> stepID = GetReportScopeChooser().ChooseStep();
    if (!stepID)
        return false;
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment)
        return false;
    ExecuteSQL(equipment, QStringLiteral("DROP TABLE IF EXISTS TempEquipmentIDTable"));
    const bool reported = CollectStepEquipment(*equipment, *stepID) && QVXLEntry().dataReport(QVXL_EQUIPMENT_REPORT, *stepID);
    ExecuteSQL(equipment, QStringLiteral("DROP TABLE IF EXISTS TempEquipmentIDTable"));
    return reported;
}

bool RunCaseCompare(long baseStepID, const QString& baseStepName)
{
    const std::optional<QList<long>> cases = GetReportScopeChooser().ChooseCases(baseStepID, baseStepName);
    return cases && QVXLEntry().caseCompareReport(QVXL_CASE_COMPARE_REPORT, baseStepID, *cases);
}
