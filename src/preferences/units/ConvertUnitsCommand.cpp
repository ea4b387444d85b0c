#include "preferences/units/ConvertUnitsCommand.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/SelectionService.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/step/StepSet.h"
#include "modules/convertunits/ConvertUnitsEntry.h"
#include "preferences/units/ConvertUnitsDialog.h"

namespace {

struct StepUnitsRow {
    bool found = false;
    QString name;
    long inputSetID = -1;
};

StepUnitsRow ReadStepUnitsRow(long stepID)
{
    StepUnitsRow row;
    CStepSet step;
    if (!step.OpenSet(stepID) || step.IsEOF())
        return row;
    row.found = true;
    row.name = step.GetText(QStringLiteral("StepName"));
    row.inputSetID = step.IsFieldNull(QStringLiteral("InputUOMSetID")) ? -1 : step.GetLong(QStringLiteral("InputUOMSetID"));
    step.CloseSet();
    return row;
}

void WriteConversion(CDaoDatabase& db, long stepID, long setID)
{
    CDaoTransaction transaction(db);
    ConvertUnitsEntry converter;
    converter.convertUnits((unsigned long)stepID, setID);
    db.Execute(QStringLiteral("UPDATE Step SET InputUOMSetID = ? WHERE StepID = ?"), {qlonglong(setID), qlonglong(stepID)});
    transaction.Commit();
}

} // namespace

void OnConvertUnits()
{
    const SelectionService* selection = ServiceSlot<SelectionService>::Get();
    const long stepID = selection ? selection->CurrentContext().stepID : -1;
    if (stepID != -1)
        ConvertUnitsOfStep(stepID);
}

bool ConvertUnitsOfStep(long stepID, const ConvertUnitsDialogRunner& run)
{
    const StepUnitsRow row = ReadStepUnitsRow(stepID);
    if (!row.found || row.inputSetID == -1)
        return false;
    CConvertUnitsDialog dialog;
    dialog.m_stepName = row.name;
    dialog.m_currentSetID = row.inputSetID;
    dialog.OnInitDialog();
    const int result = run ? run(dialog) : dialog.exec();
    if (result != QDialog::Accepted || dialog.m_chosenSetID == row.inputSetID)
        return false;
    return ConvertStepUnits(stepID, dialog.m_chosenSetID);
}

bool ConvertStepUnits(long stepID, long setID)
{
    CDaoDatabase* db = GetStepDatabase(stepID);
    if (!db)
        return false;
    {
        WaitCursor wait;
        try {
            WriteConversion(*db, stepID, setID);
        } catch (const CDaoException& e) {
            QvMessageBox(e.GetErrorDescription());
            return false;
        }
    }
    RegenerateStepRecipeText(stepID);
    ReloadRecipeViews(stepID);
    SetProjectModified(true);
    return true;
}
