#include "modules/addnew/AddNewStepWrite.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/StepRegistration.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/recordsets/NewItemID.h"
#include "foundation/db/schema/SchemaBuilder.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "foundation/db/equipment/PlantProjectSet.h"

#include <QSqlQuery>

namespace {
QVariant FacilityValue(long facilityID)
{
    return facilityID == -1 ? QVariant() : QVariant(qlonglong(facilityID));
}

NewIDSources StepIDSources()
{
    NewIDSources sources{GetProjectDir(), GetWorkingCopyDir(), {}};
    if (AppContext* app = GetAppContext()) {
        for (int i = 0; i < app->stepDatabases().count(); ++i)
            sources.registeredStepIDs << app->stepDatabases().stepIDAt(i);
    }
    return sources;
}

// The step's database with its [Step] row, durable before the project names it.
bool BuildStepDatabase(const QString& path, long stepID, const StepForm& form)
{
    CSchemaBuilder builder(DatabaseKind::Step);
    const bool built =
        builder.Create(path) &&
        builder.Execute(QStringLiteral("INSERT INTO Step (StepID, StepName, StepVersionName, Description, PlantID) "
                                       "VALUES (?, ?, ?, ?, ?)"),
                        {qlonglong(stepID), form.name, form.version, form.description, FacilityValue(form.facilityID)}) &&
        builder.Finish();
    if (!built) {
        builder.Abandon();
        QvMessageBox(builder.ErrorText());
        return false;
    }
    SyncFile(path);
    SyncFolderOf(path);
    return true;
}

void InsertProjectStepRows(CDaoDatabase& project, long processID, long stepID, const StepForm& form, int placement,
                           long anchorStepID)
{
    project.Execute(QStringLiteral("INSERT INTO ProjectStep (StepID, StepName, StepVersionName, Description) "
                                   "VALUES (?, ?, ?, ?)"),
                    {qlonglong(stepID), form.name, form.version, form.description});
    InsertStepOrder(project, processID, stepID, placement, anchorStepID);
    StoreProjectCounter(project, ProjectCounter::Step, stepID);
}

void UpdateStepRow(CDaoDatabase& step, long stepID, const StepForm& form)
{
    CDaoTransaction transaction(step);
    step.Execute(QStringLiteral("UPDATE Step SET StepName = ?, StepVersionName = ?, Description = ?, PlantID = ? "
                                "WHERE StepID = ?"),
                 {form.name, form.version, form.description, FacilityValue(form.facilityID), qlonglong(stepID)});
    transaction.Commit();
}

void UpdateProjectStepRow(CDaoDatabase& project, long stepID, const StepForm& form)
{
    CDaoTransaction transaction(project);
    project.Execute(QStringLiteral("UPDATE ProjectStep SET StepName = ?, StepVersionName = ?, Description = ? "
                                   "WHERE StepID = ?"),
                    {form.name, form.version, form.description, qlonglong(stepID)});
    transaction.Commit();
}

// The new step's database goes again: unregistered (which closes it), then deleted.
void RemoveNewStepDatabase(long stepID, const QString& path)
{
    UnregisterStepDatabase(stepID);
    DeleteDatabaseFile(path);
}
} // namespace

bool ReadStepForm(long stepID, StepForm& form)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    if (!step || !step->IsOpen())
        return false;
    try {
        QSqlQuery query = step->Query(QStringLiteral("SELECT StepName, StepVersionName, Description, PlantID "
                                                     "FROM Step WHERE StepID = ?"),
                                      {qlonglong(stepID)});
        if (!query.next())
            return false;
        form.name = query.value(0).toString();
        form.version = query.value(1).toString();
        form.description = query.value(2).toString();
        form.facilityID = query.value(3).isNull() ? -1 : long(query.value(3).toLongLong());
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

QList<AddNewChoice> ProjectFacilityChoices()
{
    QList<AddNewChoice> choices;
    CPlantProjectSet facilities;
    if (!facilities.OpenSet())
        return choices;
    for (; !facilities.IsEOF(); facilities.MoveNext())
        choices.append({facilities.GetLong(QStringLiteral("PlantID")), facilities.GetText(QStringLiteral("PlantName"))});
    return choices;
}

QList<AddNewChoice> LinkableStepChoices(long processID)
{
    QList<AddNewChoice> choices;
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return choices;
    try {
        QSqlQuery query = project->Query(
            QStringLiteral("SELECT DISTINCT StepID, StepName, StepVersionName FROM QryStepInProject WHERE StepID NOT IN "
                           "(SELECT StepID FROM \"Step-To-Process\" WHERE ProcessID = ?) ORDER BY StepID"),
            {qlonglong(processID)});
        while (query.next())
            choices.append({long(query.value(0).toLongLong()),
                            query.value(1).toString() + " (" + query.value(2).toString() + ")"});
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    return choices;
}

long WriteNewStep(long processID, const StepForm& form, int placement, long anchorStepID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen() || GetWorkingCopyDir().isEmpty())
        return -1;
    long stepID = -1;
    QString path;
    try {
        stepID = AllocateProjectID(*project, ProjectCounter::Step, StepIDSources());
        path = GetWorkingCopyDir() + QStringLiteral("STEP_%1.WC").arg(stepID);
        if (!BuildStepDatabase(path, stepID, form))
            return -1;
        if (!RegisterStepDatabase(stepID, path))
            throw CDaoException(QStringLiteral("The new step's database \"%1\" could not be opened.").arg(path));
        CDaoTransaction transaction(*project);
        InsertProjectStepRows(*project, processID, stepID, form, placement, anchorStepID);
        transaction.Commit();
        return stepID;
    } catch (const CDaoException& error) {
        if (!path.isEmpty())
            RemoveNewStepDatabase(stepID, path);
        QvMessageBox(error.GetErrorDescription());
        return -1;
    }
}

bool WriteStepLink(long processID, long stepID, int placement, long anchorStepID)
{
    CDaoDatabase* project = GetProjectDatabase();
    if (!project || !project->IsOpen())
        return false;
    try {
        CDaoTransaction transaction(*project);
        InsertStepOrder(*project, processID, stepID, placement, anchorStepID);
        transaction.Commit();
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}

// Two databases share no transaction: the step's row is written first and put back when the
// project's row fails.
bool WriteStepEdit(long stepID, const StepForm& before, const StepForm& after)
{
    CDaoDatabase* step = GetStepDatabase(stepID);
    CDaoDatabase* project = GetProjectDatabase();
    if (!step || !project || !step->IsOpen() || !project->IsOpen())
        return false;
    try {
        UpdateStepRow(*step, stepID, after);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
    try {
        UpdateProjectStepRow(*project, stepID, after);
        return true;
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    try {
        UpdateStepRow(*step, stepID, before);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
    }
    return false;
}
