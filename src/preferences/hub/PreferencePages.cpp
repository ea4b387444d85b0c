#include "preferences/hub/PreferencePages.h"

#include "foundation/common/MessageBox.h"
#include "preferences/hub/OperationModelPreferenceDialog.h"
#include "preferences/hub/PhysicalPropertyPreferenceDialog.h"
#include "preferences/hub/ResultsPreferenceDialog.h"
#include "preferences/hub/RouteSelectionPreferencesDlg.h"

namespace {
int modalResult(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}
} // namespace

int RunOperationModelPreferences(QWidget* parent)
{
    COperationModelPreferenceDialog dialog(parent);
    if (!dialog.Load())
        return IDCANCEL;
    dialog.OnInitDialog();
    return modalResult(dialog);
}

int RunPhysicalPropertyPreferences(QWidget* parent)
{
    CPhysicalPropertyPreferenceDialog dialog(parent);
    return modalResult(dialog);
}

int RunRouteSelectionPreferences(QWidget* parent)
{
    CRouteSelectionPreferencesDlg dialog(parent);
    return modalResult(dialog);
}

int RunResultsPreferences(QWidget* parent, bool* saved)
{
    CResultsPreferenceDialog dialog(parent);
    const int result = modalResult(dialog);
    if (saved)
        *saved = dialog.m_bSaved;
    return result;
}
