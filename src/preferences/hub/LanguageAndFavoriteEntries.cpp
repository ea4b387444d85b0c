#include "preferences/hub/LanguageAndFavoriteEntries.h"

#include "foundation/common/MessageBox.h"
#include "preferences/lists/CustomizeFavOperationDlg.h"
#include "preferences/shared/PreferenceHub.h"
#include "projects/LanguagePreferenceDialog.h"

namespace {
constexpr int LANGUAGE_ENTRY = 1375;
}

void InstallLanguagePreferenceEntry()
{
    PreferenceHub::setEntry(LANGUAGE_ENTRY, [](QWidget* parent) {
        CLanguagePreferenceDialog dialog;
        return dialog.DoModal(parent) == IDOK;
    });
}

QString LanguageMessageText(qintptr text, qintptr length)
{
    if (!text || length <= 0)
        return QString();
    return QString(reinterpret_cast<const QChar*>(text), qsizetype(length));
}

void RunCustomizeFavoriteOperations(QWidget* parent)
{
    CCustomizeFavOperationDlg dialog(parent);
    dialog.exec();
}
