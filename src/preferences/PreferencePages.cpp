#include "preferences/PreferencePages.h"

#include "foundation/common/MessageBox.h"
#include "preferences/OperationModelPreferenceDialog.h"
#include "preferences/PhysicalPropertyPreferenceDialog.h"
#include "preferences/ResultsPreferenceDialog.h"
#include "preferences/RouteSelectionPreferencesDlg.h"

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
