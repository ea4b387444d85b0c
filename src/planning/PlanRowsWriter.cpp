#include "planning/PlanRowsWriter.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "simulation/PlanRequirementCalculator.h"

namespace {

const QString START_STEP_MISSING = QStringLiteral("Could not find the Start step in process.");

// The rows; the number of requirements whose run order had no start.
int WritePlanRowsInTransaction(CDaoDatabase& project, long planID, const QList<PlanRequirementCalculator*>& calculators)
{
    CDaoTransaction transaction(project);
    ExecKept(project, QStringLiteral("ProductionPlanDetail"),
             QStringLiteral("DELETE FROM ProductionPlanDetail WHERE PlanID = ?"), {qlonglong(planID)});
    ExecKept(project, QStringLiteral("PlanSummary"), QStringLiteral("DELETE FROM PlanSummary WHERE PlanID = ?"),
             {qlonglong(planID)});
    int withoutStart = 0;
    for (PlanRequirementCalculator* calculator : calculators) {
        if (calculator->GetTotalBatches() != 0 && !calculator->WritePlanDetail())
            ++withoutStart;
    }
    for (PlanRequirementCalculator* calculator : calculators) {
        if (calculator->GetTotalBatches() != 0)
            calculator->WritePlanSummary();
    }
    transaction.Commit();
    return withoutStart;
}

} // namespace

bool WritePlanCalculationRows(long planID, const QList<PlanRequirementCalculator*>& calculators,
                              const PlanReportFilesWriter& writeReportFiles)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    int withoutStart = 0;
    try {
        withoutStart = WritePlanRowsInTransaction(*project, planID, calculators);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    for (int i = 0; i < withoutStart; ++i)
        QvMessageBox(START_STEP_MISSING);
    // The product-factor report and the sequence file follow the committed rows.
    return !writeReportFiles || writeReportFiles();
}
