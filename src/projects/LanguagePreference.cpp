#include "projects/LanguagePreference.h"

#include "foundation/common/AppContext.h"
#include "foundation/common/MessageBox.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/project/LanguagePreferencesSet.h"

namespace {

CLanguagePreferenceDialog::DialogHook& Hook()
{
    static CLanguagePreferenceDialog::DialogHook hook;
    return hook;
}

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

CLanguagePreferenceDialog::DialogHook CLanguagePreferenceDialog::SetDialogHook(DialogHook hook)
{
    DialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int CLanguagePreferenceDialog::DoModal()
{
    return Hook() ? Hook()(*this) : IDCANCEL;
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
