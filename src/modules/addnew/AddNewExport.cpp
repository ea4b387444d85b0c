#include "modules/addnew/AddNewExport.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "modules/addnew/AddNewFormCheck.h"
#include "modules/addnew/AddNewProcessWrite.h"
#include "modules/addnew/AddNewStepWrite.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

#include <algorithm>
#include <type_traits>

namespace {
template <typename Form> bool AskUntilAcceptable(Form& form, QString (*problem)(const Form&))
{
    for (;;) {
        const bool saved = [&] {
            if constexpr (std::is_same_v<Form, ProcessForm>)
                return GetAddNewDialogService().AskProcess(form);
            else
                return GetAddNewDialogService().AskStep(form);
        }();
        if (!saved)
            return false;
        const QString text = problem(form);
        if (text.isEmpty())
            return true;
        QvMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
}

void SetIfGiven(QString* target, const QString& value)
{
    if (target)
        *target = value;
}

// A linked step's names as the project knows them.
void ReadProjectStepNames(long stepID, QString* name, QString* version)
{
    try {
        QSqlQuery query = GetProjectDatabase()->Query(
            QStringLiteral("SELECT StepName, StepVersionName FROM ProjectStep WHERE StepID = ?"), {qlonglong(stepID)});
        if (query.next()) {
            SetIfGiven(name, query.value(0).toString());
            SetIfGiven(version, query.value(1).toString());
        }
    } catch (const CDaoException&) {
        // the link is written; the caller finds the names empty
    }
}
} // namespace

int CAddNewExport::NewOrEditProcess(long processID, long* newProcessID, QString* name, QString* version,
                                    QString /*tempDir*/)
{
    ProcessForm form;
    form.editing = processID != -1;
    form.processID = processID;
    if (form.editing && !ReadProcessForm(processID, form))
        return 0;
    if (!AskUntilAcceptable(form, ProcessFormProblem))
        return 0;
    const long written = form.editing ? (WriteProcessEdit(processID, form) ? processID : -1) : WriteNewProcess(form);
    if (written == -1)
        return 0;
    if (newProcessID && !form.editing)
        *newProcessID = written;
    SetIfGiven(name, form.name);
    SetIfGiven(version, form.version);
    SetPendingProjectChange();
    return 1;
}

int CAddNewExport::NewOrEditStep(long processID, QString processName, QString processVersion, long stepID,
                                 long* newStepID, QString* stepName, QString* stepVersion, QString /*tempDir*/,
                                 int mode, long referenceStepID)
{
    const QString processLabel = processName + " (" + processVersion + ")";
    const int saved = stepID == -1
                          ? newStep(processID, processLabel, newStepID, stepName, stepVersion, mode, referenceStepID)
                          : editStep(stepID, processLabel, stepName, stepVersion);
    if (saved)
        SetPendingProjectChange();
    return saved;
}

int CAddNewExport::newStep(long processID, const QString& processLabel, long* newStepID, QString* stepName,
                           QString* stepVersion, int mode, long referenceStepID)
{
    StepForm form;
    form.processLabel = processLabel;
    form.processID = processID;
    form.facilities = ProjectFacilityChoices();
    form.linkable = LinkableStepChoices(processID);
    if (!AskUntilAcceptable(form, StepFormProblem))
        return 0;
    if (form.linkStepID != -1) {
        const bool offered = std::any_of(form.linkable.cbegin(), form.linkable.cend(),
                                         [&](const AddNewChoice& choice) { return choice.id == form.linkStepID; });
        if (!offered || !WriteStepLink(processID, form.linkStepID, mode, referenceStepID))
            return 0;
        if (newStepID)
            *newStepID = form.linkStepID;
        ReadProjectStepNames(form.linkStepID, stepName, stepVersion);
        return 1;
    }
    const long created = WriteNewStep(processID, form, mode, referenceStepID);
    if (created == -1)
        return 0;
    if (newStepID)
        *newStepID = created;
    SetIfGiven(stepName, form.name);
    SetIfGiven(stepVersion, form.version);
    return 1;
}

int CAddNewExport::editStep(long stepID, const QString& processLabel, QString* stepName, QString* stepVersion)
{
    StepForm before;
    before.editing = true;
    before.stepID = stepID;
    before.processLabel = processLabel;
    if (!ReadStepForm(stepID, before))
        return 0;
    before.facilities = ProjectFacilityChoices();
    StepForm after = before;
    if (!AskUntilAcceptable(after, StepFormProblem) || !WriteStepEdit(stepID, before, after))
        return 0;
    SetIfGiven(stepName, after.name);
    SetIfGiven(stepVersion, after.version);
    return 1;
}
