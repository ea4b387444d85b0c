// The commands of the Plan Explorer: enabling, New and Edit through the plan dialogs, Delete,
// Define Sequence and Plan Sequence.

#include "planning/PlanList.h"

#include "foundation/common/DesktopOpener.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/UserSimSequenceFile.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "planning/NewPlanDialog.h"
#include "planning/PlanCommandIds.h"
#include "planning/PlanReportFiles.h"
#include "planning/PlanRows.h"
#include "planning/PlanSequenceFile.h"
#include "planning/ProductionPlanDialogRun.h"
#include "results/ResultWindows.h"
#include "simulation/RunOutcome.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSqlQuery>

namespace {

// The name the plan has in the project after an edit; the old one when it cannot be read.
QString StoredPlanName(long planID, const QString& oldName)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return oldName;
    try {
        QSqlQuery query = project->Query(
            QStringLiteral("SELECT PlanName FROM \"ProductionPlan-To-Project\" WHERE PlanID = ? ORDER BY RowKey"),
            {qlonglong(planID)});
        return query.next() ? query.value(0).toString() : oldName;
    } catch (const CDaoException&) {
        return oldName;
    }
}

} // namespace

bool CPlanList::HandlesCommand(int commandID) const
{
    switch (commandID) {
    case ID_PLAN_NEW:
    case ID_PLAN_EDIT:
    case ID_PLAN_DELETE:
    case ID_PLAN_DEFINE_SEQUENCE:
    case ID_PLAN_SEQUENCE:
        return true;
    default:
        return false;
    }
}

bool CPlanList::IsCommandEnabled(int commandID) const
{
    long planID = -1;
    QString name;
    const bool selected = GetSelectedPlan(planID, name);
    switch (commandID) {
    case ID_PLAN_NEW:
    case ID_PLAN_SEQUENCE:
        return IsProjectOpen();
    case ID_PLAN_EDIT:
    case ID_PLAN_DELETE:
        return selected;
    case ID_PLAN_DEFINE_SEQUENCE:
        return selected && IsPlanSimulatable(planID) && PlanExplorer::IsSimSequenceDialogInstalled();
    default:
        return false;
    }
}

void CPlanList::OnCommand(int commandID)
{
    switch (commandID) {
    case ID_PLAN_NEW:
        return OnNewPlan();
    case ID_PLAN_EDIT:
        return OnEditPlan();
    case ID_PLAN_DELETE:
        return OnDeletePlan();
    case ID_PLAN_DEFINE_SEQUENCE:
        return OnDefineSequence();
    case ID_PLAN_SEQUENCE:
        return ViewPlanSequence();
    default:
        return;
    }
}

// After a committed change: the project is modified and the scripting objects are read again.
void CPlanList::afterPlanChange()
{
    SetProjectModified(true);
    RefreshAutomationModel(-1);
    updateCommandStates();
}

void CPlanList::OnNewPlan()
{
    CNewPlanDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QListWidgetItem* item = addPlanItem(m_list->count(), dialog.planID(), dialog.planName());
    m_list->setCurrentItem(item);
    m_flags.append({dialog.planID(), false});
    afterPlanChange();
}

void CPlanList::OnEditPlan()
{
    const int row = m_list->currentRow();
    long planID = -1;
    QString oldName;
    if (!GetSelectedPlan(planID, oldName))
        return;
    if (!RunProductionPlanDialog(planID, nullptr))
        return;
    const QString newName = StoredPlanName(planID, oldName);
    delete m_list->takeItem(row);
    m_list->setCurrentItem(addPlanItem(row, planID, newName));
    if (newName.compare(oldName, Qt::CaseInsensitive) != 0)
        RefreshResultWindows(QStringLiteral("QVPLAN"), planID, newName);
    recomputeFlags(planID);
    afterPlanChange();
}

void CPlanList::OnDeletePlan()
{
    long planID = -1;
    QString name;
    if (!GetSelectedPlan(planID, name))
        return;
    if (QvMessageBox(QStringLiteral("Do you really want to delete this production plan ?"),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    try {
        const WaitCursor wait;
        DeletePlanRows(planID);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return;
    }
    DeletePlanSequenceFiles(planID);
    delete m_list->takeItem(m_list->currentRow());
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_flags.removeIf([planID](const PlanFlag& flag) { return flag.planID == planID; });
    afterPlanChange();
}

void CPlanList::OnDefineSequence()
{
    long planID = -1;
    QString name;
    if (GetSelectedPlan(planID, name))
        PlanExplorer::DefineSimSequence(planID, name, nullptr);
}

// The requirement run without batches for the selected plan, then its sequence file in the
// desktop's handler.
void CPlanList::ViewPlanSequence()
{
    long planID = -1;
    QString name;
    if (!GetSelectedPlan(planID, name))
        return;
    const bool written = SimulatePlan(planID, false, nullptr, false);
    ShowRunOutcome(PlanSequenceOutcomeText(planID, written));
    if (!written)
        return;
    const QString path = QDir(GetProjectDir()).filePath(PlanSequenceFileName());
    if (!OpenOnDesktop(path))
        QvMessageBox(QStringLiteral("File %1 could not be opened!").arg(QDir::toNativeSeparators(path)));
}
