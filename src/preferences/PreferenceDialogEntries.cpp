#include "preferences/PreferenceDialogEntries.h"

#include "preferences/CommentTypePreferencesDialog.h"
#include "preferences/LaborPreferenceDialog.h"
#include "preferences/PreferenceHub.h"
#include "preferences/RangeTypePreferencesDialog.h"
#include "preferences/StreamCategoryPreferenceDialog.h"

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
