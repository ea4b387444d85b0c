#include "preferences/hub/PreferenceDialogEntries.h"

#include "preferences/lists/CommentTypePreferencesDialog.h"
#include "preferences/lists/LaborPreferenceDialog.h"
#include "preferences/lists/RangeTypePreferencesDialog.h"
#include "preferences/lists/StreamCategoryPreferenceDialog.h"
#include "preferences/shared/PreferenceHub.h"

namespace {
template <typename Dialog> bool RunLibraryDialog(QWidget* parent)
{
    Dialog dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}
} // namespace

void InstallLibraryPreferenceEntries()
{
    PreferenceHub::setEntry(1050, RunLibraryDialog<CStreamCategoryPreferenceDialog>);
    PreferenceHub::setEntry(1373, RunLibraryDialog<CRangeTypePreferencesDialog>);
    PreferenceHub::setEntry(1374, RunLibraryDialog<CLaborPreferenceDialog>);
    PreferenceHub::setEntry(1379, RunLibraryDialog<CCommentTypePreferencesDialog>);
}
