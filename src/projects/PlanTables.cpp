// The strip that turns a written project into a template: processes, steps, plans and their
// windows go; preferences, options, facilities, calendars and the libraries stay. A new name goes
// into the written record in the same transaction.

#include "foundation/common/MessageBox.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "projects/ProjectSave.h"

#include <QStringList>

namespace {
const QStringList& TemplateStripStatements()
{
    static const QStringList statements = {
        "DELETE FROM PlanRequirements",
        "DELETE FROM PlanSummary",
        "DELETE FROM \"Process-To-Project\"",
        "DELETE FROM Process",
        "DELETE FROM \"ProductionPlan-To-Project\"",
        "DELETE FROM ProductionPlan",
        "DELETE FROM ProductionPlanDetail",
        "DELETE FROM \"Step-To-Process\"",
        "DELETE FROM StepTransition",
        "DELETE FROM ProjectStep WHERE ProjectStep.StepName <> 'START'",
        "DELETE FROM WindowsPosition WHERE WindowsPosition.Type <> 'Project Builder'",
    };
    return statements;
}
} // namespace

bool CProjectSave::ClearPlanTables(CDaoDatabase& templateDatabase, const QString& newName)
{
    try {
        templateDatabase.BeginTrans();
        RenameWrittenProject(templateDatabase, newName);
        for (const QString& statement : TemplateStripStatements())
            templateDatabase.Execute(statement);
        templateDatabase.CommitTrans();
    } catch (const CDaoException& e) {
        if (templateDatabase.InTransaction())
            templateDatabase.Rollback();
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    return true;
}

// A project written under a new name carries it in its record; the open project keeps its own.
void CProjectSave::RenameWrittenProject(CDaoDatabase& written, const QString& newName)
{
    if (!newName.isEmpty())
        written.Execute(QStringLiteral("UPDATE Project SET ProjectName = ?"), {newName});
}

bool CProjectSave::RenameWrittenProjectAlone(CDaoDatabase& written, const QString& newName)
{
    try {
        written.BeginTrans();
        RenameWrittenProject(written, newName);
        written.CommitTrans();
    } catch (const CDaoException& e) {
        if (written.InTransaction())
            written.Rollback();
        QvMessageBox(e.GetErrorDescription());
        return false;
    }
    return true;
}
