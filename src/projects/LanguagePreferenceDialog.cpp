#include "projects/LanguagePreferenceDialog.h"

#include "foundation/common/BusyGuard.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/MessageBox.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/WaitCursor.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/LanguageDatabaseService.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/LanguagePreferencesSet.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/LanguagePreferenceWindow.h"
#include "projects/LanguageTemplate.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {
constexpr long LANGUAGE_HELP_TOPIC = 439;
const char* const UPDATE_QUESTION =
    "Tamro Plenthover will update the Text Recipe for all the Steps in the current project using the new "
    "language preference file. Do you wish to continue?";

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

QString LanguageFolder()
{
    return GetAppContext()->paths()->languageDir();
}

// A template of the Language folder is stored by its bare name.
QString StoredForm(const QString& templatePath)
{
    const QFileInfo file(templatePath);
    const bool inFolder = QDir(file.absolutePath()) == QDir(LanguageFolder()) ||
                          (file.absolutePath() + '/').compare(LanguageFolder(), Qt::CaseInsensitive) == 0;
    return inFolder ? file.fileName() : templatePath;
}

// The stored template, the default without a row; nullopt when the table cannot be read.
std::optional<QString> ReadStoredTemplatePath()
{
    CLanguagePreferencesSet set;
    if (!set.OpenSet(GetProjectDBPath(), QString()))
        return std::nullopt;
    set.MoveFirst();
    const QString stored = set.IsEOF() ? GetAppContext()->fileSet().defaultLanguageTemplatePath
                                       : set.GetText(QStringLiteral("RecipeLanguagePath"));
    set.CloseSet();
    return stored;
}
} // namespace

QString LanguageOfTemplate(const QString& path)
{
    const QString name = path.mid(qMax(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
    return name.mid(2, name.size() - 6);
}

int CLanguagePreferenceDialog::DoModal(QWidget* parent)
{
    if (LanguageDialogService* dialog = ServiceSlot<LanguageDialogService>::Get())
        return dialog->RunLanguageDialog(*this);
    CLanguagePreferenceWindow window(*this, parent);
    return window.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
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

QString CLanguagePreferenceDialog::OnInitDialog()
{
    if (const std::optional<QString> stored = ReadStoredTemplatePath()) {
        m_strTemplatePath = *stored;
        m_strOpenedPath = StoredTemplatePath(*stored);
    } else {
        QvMessageBox(QStringLiteral("Can't open Language Preference table for initialization!"));
    }
    const QString shown = m_strSelectText.isEmpty() ? m_strTemplatePath : m_strSelectText;
    return LanguageOfTemplate(StoredTemplatePath(shown));
}

QList<LanguageChoice> CLanguagePreferenceDialog::AvailableLanguages()
{
    QList<LanguageChoice> choices;
    const QStringList names = QDir(LanguageFolder()).entryList({QStringLiteral("QV*.lng")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        choices.append({LanguageOfTemplate(name), name});
    return choices;
}

QString CLanguagePreferenceDialog::ChosenTemplate(const QString& fileName) const
{
    if (fileName.isEmpty()) {
        QvMessageBox(QStringLiteral("Please specify the language for the recipe text"));
        return QString();
    }
    const QString path = LanguageFolder() + fileName;
    if (!QFileInfo(path).isFile()) {
        QvMessageBox(QStringLiteral("The specified Recipe Language Template file \"%1\" does not exist!").arg(path));
        return QString();
    }
    return path;
}

bool CLanguagePreferenceDialog::OnOK(const QString& fileName, const QString& language)
{
    WaitCursor wait;
    const QString path = ChosenTemplate(fileName);
    if (path.isEmpty())
        return false;
    if (m_bNewProject || m_strOpenedPath.compare(path, Qt::CaseInsensitive) == 0) {
        m_strTemplatePath = path;
        return true;
    }
    return AskAndChange(path, language);
}

bool CLanguagePreferenceDialog::OnApply(const QString& fileName, const QString& language)
{
    WaitCursor wait;
    const QString path = ChosenTemplate(fileName);
    return !path.isEmpty() && AskAndChange(path, language);
}

bool CLanguagePreferenceDialog::AskAndChange(const QString& templatePath, const QString& language)
{
    if (QvMessageBox(QString::fromLatin1(UPDATE_QUESTION), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return false;
    WaitCursor wait;
    return ChangeLanguage(templatePath, language);
}

// Converted first; stored, told and regenerated only once the converted copy is in place.
bool CLanguagePreferenceDialog::ChangeLanguage(const QString& templatePath, const QString& language)
{
    if (!ConvertLanguageDatabase(templatePath))
        return false;
    if (!StoreTemplate(templatePath)) {
        RestorePreviousLanguageDatabase();
        return false;
    }
    NotifyLanguageUpdate(language);
    UpdateRecipeTextOfAllSteps();
    m_strTemplatePath = m_strOpenedPath = templatePath;
    return true;
}

bool CLanguagePreferenceDialog::ConvertLanguageDatabase(const QString& templatePath)
{
    const QString copy = GetQuorvantaTempDir() + QStringLiteral("lang.tmp");
    if (!CopyDatabaseFile(templatePath, copy)) {
        QvMessageBox(QStringLiteral("Failed to copy language database file \"%1\" !").arg(copy));
        return false;
    }
    bool done = StepUtilsEntry().convertLanguage(copy, QString(), 1) != 0;
    if (!done)
        QvMessageBox(QStringLiteral("Can't convert the language database!"));
    else
        done = ReplaceLanguageDatabase(templatePath, copy);
    DeleteDatabaseFile(copy);
    return done;
}

bool CLanguagePreferenceDialog::StoreTemplate(const QString& templatePath)
{
    const QString previous = m_strTemplatePath;
    m_strTemplatePath = StoredForm(templatePath);
    const bool saved = SaveLanguagePreference();
    m_strTemplatePath = saved ? templatePath : previous;
    return saved;
}

void CLanguagePreferenceDialog::OnCommandHelp()
{
    DisplayHelp(GetHelpFileName(), LANGUAGE_HELP_TOPIC);
}

void OnLanguageMessage(const QString& text, QWidget* parent)
{
    if (!IsProjectOpen() || IsBusy())
        return;
    CLanguagePreferenceDialog dialog;
    dialog.m_strSelectText = text;
    dialog.DoModal(parent);
}
