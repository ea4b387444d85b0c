#include "planning/PlanRows.h"

#include "foundation/common/OleDate.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/recordsets/NewItemID.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>

namespace {

// The ids of the "QVPLAN_<id>" and "QVPLAN_<id>.<ext>" files of the folder.
void AddPlanFileIDs(const QString& folder, QSet<long>& ids)
{
    if (folder.isEmpty())
        return;
    static const QRegularExpression pattern(QStringLiteral("^QVPLAN_(\\d+)(\\..*)?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch match = pattern.match(name);
        bool ok = false;
        const long id = match.hasMatch() ? match.captured(1).toLong(&ok) : 0;
        if (ok)
            ids.insert(id);
    }
}

double CurrentOleDateToTheSecond()
{
    QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    now.setTime(QTime(time.hour(), time.minute(), time.second()));
    return OleDateFromDateTime(now);
}

CDaoDatabase& OpenedProjectDatabase()
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        throw CDaoException(QStringLiteral("The project database is not open."));
    return *project;
}

const char* const kCopyRequirementsSql =
    "INSERT INTO PlanRequirements (PlanID, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM, "
    "FirstBatchOverlap, IntraCampaignBatchOverlap, EarliestStartTime, BatchTimeInterval, BatchTimeIntervalUOM) "
    "SELECT ?, StepOrProcessID, StepOrProcess, Quantity, QuantityUOM, COALESCE(FirstBatchOverlap, 1), "
    "COALESCE(IntraCampaignBatchOverlap, 1), EarliestStartTime, "
    "CASE WHEN BatchTimeInterval = 1e35 THEN NULL ELSE BatchTimeInterval END, COALESCE(BatchTimeIntervalUOM, '') "
    "FROM PlanRequirements WHERE PlanID = ? ORDER BY RequirementID";

} // namespace

long AllocatePlanID(CDaoDatabase& project, const QString& projectDir)
{
    QSet<long> taken;
    AddPlanFileIDs(projectDir, taken);
    QSqlQuery plans = project.Query(QStringLiteral("SELECT PlanID FROM ProductionPlan"));
    while (plans.next())
        taken.insert(long(plans.value(0).toLongLong()));
    QSqlQuery sequence =
        project.Query(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'ProductionPlan'"));
    long highest = sequence.next() ? long(sequence.value(0).toLongLong()) : 0;
    for (long id : taken)
        highest = std::max(highest, id);
    return NextUnusedID(highest, taken);
}

long CreatePlanRows(const QString& name, long sourcePlanID)
{
    CDaoDatabase& project = OpenedProjectDatabase();
    CDaoTransaction transaction(project);
    const long planID = AllocatePlanID(project, GetProjectDir());
    const qlonglong id = planID;
    ExecKept(project, QStringLiteral("ProductionPlan"),
             QStringLiteral("INSERT INTO ProductionPlan (PlanID, PlanName, StartDateTime) VALUES (?, ?, ?)"),
             {id, name, CurrentOleDateToTheSecond()});
    ExecKept(project, QStringLiteral("ProductionPlan-To-Project"),
             QStringLiteral("INSERT INTO \"ProductionPlan-To-Project\" (PlanID, ProjectID, PlanName) VALUES (?, ?, ?)"),
             {id, qlonglong(GetProjectID()), name});
    if (sourcePlanID != -1)
        ExecKept(project, QStringLiteral("PlanRequirements"), QString::fromLatin1(kCopyRequirementsSql),
                 {id, qlonglong(sourcePlanID)});
    transaction.Commit();
    return planID;
}

void DeletePlanRows(long planID)
{
    static const char* const tables[] = {"PlanRequirements",        "SharedExclusiveEquipment", "ProductionPlanDetail",
                                         "PlanSummary",             "ProductionPlan-To-Project", "ProductionPlan"};
    CDaoDatabase& project = OpenedProjectDatabase();
    CDaoTransaction transaction(project);
    for (const char* table : tables) {
        const QString name = QString::fromLatin1(table);
        ExecKept(project, name, QStringLiteral("DELETE FROM \"%1\" WHERE PlanID = ?").arg(name), {qlonglong(planID)});
    }
    transaction.Commit();
}
