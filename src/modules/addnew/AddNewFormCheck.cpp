#include "modules/addnew/AddNewFormCheck.h"

#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

namespace {
// The other processes of the project.
const char* const PROCESS_NAMES = "SELECT ProcessName, ProcessVersionName FROM Process WHERE ProcessID <> ?";

// The other steps (but the edited one) of the new step's process or of every process that holds
// the edited step.
const char* const STEP_NAMES =
    "SELECT s.StepName, s.StepVersionName FROM ProjectStep s JOIN \"Step-To-Process\" l ON l.StepID = "
    "s.StepID"
    " WHERE s.StepID <> ? AND (l.ProcessID = ?"
    " OR l.ProcessID IN (SELECT ProcessID FROM \"Step-To-Process\" WHERE StepID = ?))";

bool SameText(const QVariant& stored, const QString& entered)
{
    return stored.toString().trimmed().compare(entered.trimmed(), Qt::CaseInsensitive) == 0;
}

// Whether a row of the query holds the name and version. An unreadable project takes nothing: its
// write reports the error.
bool NamesTaken(const char* sql, const QVariantList& values, const QString& name, const QString& version)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        QSqlQuery rows = project->Query(QString::fromLatin1(sql), values);
        while (rows.next()) {
            if (SameText(rows.value(0), name) && SameText(rows.value(1), version))
                return true;
        }
    } catch (const CDaoException&) {
    }
    return false;
}
} // namespace

QString ProcessFormProblem(const ProcessForm& form)
{
    if (form.name.trimmed().isEmpty() || form.version.trimmed().isEmpty())
        return QStringLiteral("Please enter the process name and its version.");
    if (NamesTaken(PROCESS_NAMES, {qlonglong(form.processID)}, form.name, form.version))
        return QStringLiteral("The process name and version already exist in the database. "
                              "Please enter a different process name or version!");
    return {};
}

// A linked step keeps its own names. START is the root of the step transitions, never a step.
QString StepFormProblem(const StepForm& form)
{
    if (form.linkStepID != -1)
        return {};
    if (form.name.trimmed().isEmpty() || form.version.trimmed().isEmpty())
        return QStringLiteral("Please enter the step name and its version.");
    if (form.name.trimmed().compare(QLatin1String("START"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("START is reserved; please choose another step name.");
    const QVariantList ids{qlonglong(form.stepID), qlonglong(form.processID), qlonglong(form.stepID)};
    if (NamesTaken(STEP_NAMES, ids, form.name, form.version))
        return QStringLiteral("The step name and version already exist in this process. "
                              "Please enter a different step name or version!");
    return {};
}
