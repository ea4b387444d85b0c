#include "projects/LanguagePreference.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/project/LanguagePreferencesSet.h"

namespace {

void WriteTemplatePath(CLanguagePreferencesSet& set, const QString& templatePath)
{
    set.MoveFirst();
    if (set.IsEOF())
        set.AddNew();
    else
        set.Edit();
    set.SetText(QStringLiteral("RecipeLanguagePath"), templatePath);
    set.Update();
}

} // namespace

int CLanguagePreferenceDialog::DoModal()
{
    LanguageDialogService* dialog = ServiceSlot<LanguageDialogService>::Get();
    return dialog ? dialog->RunLanguageDialog(*this) : IDCANCEL;
}

bool CLanguagePreferenceDialog::SaveLanguagePreference()
{
    CLanguagePreferencesSet set;
    if (!set.OpenSet(GetProjectDBPath(), QString())) {
        QvMessageBox(QStringLiteral("Can't open Language Preference table for update!"));
        return false;
    }
    try {
        WriteTemplatePath(set, m_strTemplatePath);
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        set.CloseSet();
        return false;
    }
    set.CloseSet();
    SetProjectModified(true);
    return true;
}
