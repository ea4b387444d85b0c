#include "modules/addnew/AddNewProcessWrite.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/recordsets/NewItemID.h"

#include <QSqlQuery>

namespace {
long ProjectIDOf(CDaoDatabase& project)
{
    QSqlQuery query = project.Query(QStringLiteral("SELECT MIN(ProjectID) FROM Project"));
    return query.next() && !query.value(0).isNull() ? long(query.value(0).toLongLong()) : 1;
}

void InsertProcessRows(CDaoDatabase& project, long processID, const ProcessForm& form)
{
    project.Execute(QStringLiteral("INSERT INTO Process (ProcessID, ProcessName, ProcessVersionName, "
                                   "Description) VALUES (?, ?, ?, ?)"),
                    {qlonglong(processID), form.name, form.version, form.description});
    project.Execute(QStringLiteral("INSERT INTO \"Process-To-Project\" (ProjectID, ProcessID, ProcessName, "
                                   "ProcessVersionName) VALUES (?, ?, ?, ?)"),
                    {qlonglong(ProjectIDOf(project)), qlonglong(processID), form.name, form.version});
}
} // namespace

bool ReadProcessForm(long processID, ProcessForm& form)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        QSqlQuery query = project->Query(QStringLiteral("SELECT ProcessName, ProcessVersionName, Description "
                                                        "FROM Process WHERE ProcessID = ?"),
                                         {qlonglong(processID)});
        if (!query.next())
            return false;
        form.name = query.value(0).toString();
        form.version = query.value(1).toString();
        form.description = query.value(2).toString();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

long WriteNewProcess(const ProcessForm& form)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return -1;
    try {
        CDaoTransaction transaction(*project);
        const long processID = AllocateProjectID(*project, ProjectCounter::Process, {GetProjectDir(), {}, {}});
        InsertProcessRows(*project, processID, form);
        StoreProjectCounter(*project, ProjectCounter::Process, processID);
        transaction.Commit();
        return processID;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return -1;
    }
}

bool WriteProcessEdit(long processID, const ProcessForm& form)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        CDaoTransaction transaction(*project);
        project->Execute(QStringLiteral("UPDATE Process SET ProcessName = ?, ProcessVersionName = ?, "
                                        "Description = ? WHERE ProcessID = ?"),
                         {form.name, form.version, form.description, qlonglong(processID)});
        project->Execute(QStringLiteral("UPDATE \"Process-To-Project\" SET ProcessName = ?, "
                                        "ProcessVersionName = ? WHERE ProcessID = ?"),
                         {form.name, form.version, qlonglong(processID)});
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}
