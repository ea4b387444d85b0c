// Saving the production plan dialog: checks first, then the header, the requirement rows and the
// shared-exclusive equipment rows in one transaction.

#include "foundation/common/MessageBox.h"
#include "foundation/common/OleDate.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "planning/PlanSequenceFile.h"
#include "planning/ProductionPlanDialog.h"
#include "results/ResultWindows.h"

#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>

namespace {
const QString DUPLICATE_PLAN_NAME =
    QStringLiteral("The plan name already exists in the database. Please enter a different plan name!");
const QStringList REQUIREMENT_COLUMNS = {
    QStringLiteral("PlanID"),          QStringLiteral("StepOrProcessID"),      QStringLiteral("StepOrProcess"),
    QStringLiteral("Quantity"),        QStringLiteral("QuantityUOM"),          QStringLiteral("BatchTimeInterval"),
    QStringLiteral("EarliestStartTime"), QStringLiteral("FirstBatchOverlap"), QStringLiteral("BatchTimeIntervalUOM"),
    QStringLiteral("IntraCampaignBatchOverlap")};

bool RowExists(CDaoDatabase& project, const QString& sql, const QVariantList& values)
{
    return project.Query(sql, values).next();
}

} // namespace

bool CProductionPlanDialog::IsDuplicatePlanName(const QString& name)
{
    return RowExists(*GetProjectDatabase(),
                     QStringLiteral("SELECT 1 FROM \"ProductionPlan-To-Project\" WHERE PlanName = ? COLLATE NOCASE"
                                    " AND PlanID <> ?"),
                     {name, qlonglong(m_planID)});
}

// The plan's link and header rows must both be there.
bool CProductionPlanDialog::PlanRowsExist()
{
    CDaoDatabase& project = *GetProjectDatabase();
    const QVariantList plan{qlonglong(m_planID)};
    if (!RowExists(project, QStringLiteral("SELECT 1 FROM \"ProductionPlan-To-Project\" WHERE PlanID = ?"), plan)) {
        QvMessageBox(QStringLiteral("Couldn't find match record in the Production Plan to Project table!"));
        return false;
    }
    if (!RowExists(project, QStringLiteral("SELECT 1 FROM ProductionPlan WHERE PlanID = ?"), plan)) {
        QvMessageBox(QStringLiteral("Couldn't find match record in the Production Plan table!"));
        return false;
    }
    return true;
}

bool CProductionPlanDialog::SavePlan()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    const QString name = m_nameEdit->text();
    const QString oldName = m_planName;
    try {
        if (IsDuplicatePlanName(name)) {
            QvMessageBox(DUPLICATE_PLAN_NAME);
            return false;
        }
        if (!PlanRowsExist())
            return false;
        CollectCampaignSteps();
        ReadEquipmentSelection();
        PruneChosenEquipment();
        if (!WritePlan(*project))
            return false;
    } catch (const CDaoException& e) {
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    m_planName = name;
    AfterCommit(oldName);
    return true;
}

bool CProductionPlanDialog::WritePlan(CDaoDatabase& project)
{
    const qlonglong plan = m_planID;
    const QString name = m_nameEdit->text();
    QList<QVariantList> equipment;
    for (long id : std::as_const(m_chosenEquipment))
        equipment.append({qlonglong(id), plan});
    CDaoTransaction transaction(project);
    ExecKept(project, QStringLiteral("ProductionPlan-To-Project"),
             QStringLiteral("UPDATE \"ProductionPlan-To-Project\" SET PlanName = ? WHERE PlanID = ?"), {name, plan});
    ExecKept(project, QStringLiteral("ProductionPlan"),
             QStringLiteral("UPDATE ProductionPlan SET PlanName = ?, StartDateTime = ?, OutputUOMSetID = ?"
                            " WHERE PlanID = ?"),
             {name, OleDateFromDateTime(m_start), qlonglong(m_outputUOMSetID), plan});
    ReplaceTableRows(project, QStringLiteral("PlanRequirements"), REQUIREMENT_COLUMNS, QStringLiteral("PlanID"), plan,
                     RequirementRows());
    ReplaceTableRows(project, QStringLiteral("SharedExclusiveEquipment"),
                     {QStringLiteral("EquipmentID"), QStringLiteral("PlanID")}, QStringLiteral("PlanID"), plan,
                     equipment);
    transaction.Commit();
    return true;
}

// One requirement row per non-blank grid row, in grid order; every row passed the checks.
QList<QVariantList> CProductionPlanDialog::RequirementRows() const
{
    const PlanGridRowCheck check(m_campaigns, m_units);
    QList<QVariantList> rows;
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const PlanGridRow read = ReadGridRow(row);
        if (read.IsBlank())
            continue;
        QVariantList values{qlonglong(m_planID)};
        values.append(check.RequirementValues(read));
        rows.append(values);
    }
    return rows;
}

void CProductionPlanDialog::AfterCommit(const QString& oldName)
{
    SetProjectModified(true);
    if (oldName != m_planName) {
        RefreshResultWindows(QStringLiteral("QVPLAN"), m_planID, m_planName);
        CopyPlanSequenceFileToNewName(m_planID, oldName, m_planName);
    }
    RefreshAutomationModel(-1);
}
