// The recipe-language template of the project being opened.

#include "projects/LanguageTemplate.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/project/LanguagePreferencesSet.h"
#include "modules/steputils/StepUtilsEntry.h"
#include "projects/LanguagePreferenceDialog.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char* const TEMPLATE_MISSING =
    "The selected Recipe Language Template file is missing. Do you want to open the project in English? \r\n "
    "The converted recipe text will be saved in English and the previous recipe text will be deleted.";
const char* const NOT_CURRENT =
    "The selected language template \"%1\" is not in the current version.\n\n\tSelect YES to convert the "
    "template.\n\tSelect NO to choose a different template.";

QString CannotBeOpened(const QString& path)
{
    return QStringLiteral("The Recipe Language Template ") + path + QStringLiteral(" cannot be opened.");
}

// The stored template path; false when the project has no language row.
bool ReadStoredTemplate(CLanguagePreferencesSet& set, QString& path)
{
    set.MoveFirst();
    if (set.IsEOF())
        return false;
    path = StoredTemplatePath(set.GetText(QStringLiteral("RecipeLanguagePath")));
    return true;
}
QString CopyFailed(const QString& path)
{
    return QStringLiteral("Failed to copy language database file \"%1\" !").arg(path);
}
} // namespace

QString StoredTemplatePath(const QString& stored)
{
    if (stored.size() <= 4 || !QDir::isRelativePath(stored))
        return stored;
    return GetAppContext()->paths()->languageDir() + stored;
}

CLanguageTemplate::CLanguageTemplate(ProjectFileSet& files) : m_files(files) {}

CLanguageTemplate::~CLanguageTemplate() = default;

int CLanguageTemplate::ResolveLanguageTemplate()
{
    const ProjectFileSet& files = m_files;
    CLanguagePreferencesSet set;
    if (!set.OpenSet(files.projectDBPath)) {
        QvMessageBox(QStringLiteral("Tamro Plenthover could not open the project!"));
        return 0;
    }
    QString path;
    const bool stored = ReadStoredTemplate(set, path);
    set.CloseSet();
    const QString& defaultPath = files.defaultLanguageTemplatePath;
    if (!stored) {
        if (QFileInfo(defaultPath).isFile())
            return TakeLanguageTemplate(defaultPath, 1);
        QvMessageBox("Tamro Plenthover could not find the default Recipe Language Template in " +
                     defaultPath +
                     ". The project cannot be opened. Please contact Customer Support for help.");
        return 0;
    }
    if (QFileInfo(path).isFile())
        return TakeLanguageTemplate(path, 1);
    if (QvMessageBox(QString::fromLatin1(TEMPLATE_MISSING), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    return TakeLanguageTemplate(defaultPath, 2);
}

int CLanguageTemplate::TakeLanguageTemplate(const QString& path, int result)
{
    AppContext* app = GetAppContext();
    m_files.languageTemplatePath = path;
    if (!app->paths()->SetLanguageFile(path)) {
        QvMessageBox(CannotBeOpened(path));
        return 0;
    }
    m_files.workingLanguageDBPath = app->paths()->workingLanguageDBPath();
    return result;
}

bool CLanguageTemplate::CheckLanguageTemplate(int& languageResult)
{
    const ProjectFileSet& files = m_files;
    StepUtilsEntry stepUtilities;
    while (!stepUtilities.currentVersionReadOnly(files.workingLanguageDBPath)) {
        const int answer = QvMessageBox(QString::fromLatin1(NOT_CURRENT).arg(files.languageTemplatePath),
                                        MB_YESNO | MB_ICONQUESTION);
        const bool goOn =
            answer == IDYES ? ConvertLanguageDatabase() : ChooseOtherLanguageTemplate(languageResult);
        if (!goOn)
            return false;
    }
    return true;
}

// Converts a copy and puts it in place of the working language database only when that worked.
bool CLanguageTemplate::ConvertLanguageDatabase()
{
    const QString working = m_files.workingLanguageDBPath;
    const QString copy = GetQuorvantaTempDir() + QStringLiteral("lang.tmp");
    if (!CopyDatabaseFile(working, copy)) {
        QvMessageBox(CopyFailed(copy));
        return false;
    }
    bool done = StepUtilsEntry().convertLanguage(copy, QString(), 1) != 0;
    if (!done)
        QvMessageBox(QStringLiteral("Can't convert the language database!"));
    else if (!(done = CopyDatabaseFile(copy, working)))
        QvMessageBox(CopyFailed(working));
    DeleteDatabaseFile(copy);
    return done;
}

bool CLanguageTemplate::ChooseOtherLanguageTemplate(int& languageResult)
{
    AppContext* app = GetAppContext();
    CLanguagePreferenceDialog dialog;
    dialog.m_bNewProject = true; // choosing only: the open stores and converts the choice
    dialog.m_strTemplatePath = m_files.languageTemplatePath;
    if (dialog.DoModal() != IDOK) {
        QvMessageBox(QStringLiteral("Tamro Plenthover could not open the project since no Recipe Language "
                                    "Template file is selected!"));
        return false;
    }
    m_files.languageTemplatePath = dialog.m_strTemplatePath;
    dialog.SaveLanguagePreference();
    languageResult = 2;
    if (!app->paths()->SetLanguageFile(dialog.m_strTemplatePath)) {
        QvMessageBox(CannotBeOpened(dialog.m_strTemplatePath));
        return false;
    }
    m_files.workingLanguageDBPath = app->paths()->workingLanguageDBPath();
    return true;
}

bool CLanguageTemplate::OpenLanguageDatabase()
{
    m_database.reset();
    auto database = std::make_unique<CDaoDatabase>();
    database->Open(m_files.workingLanguageDBPath, DatabaseRole::ReadOnly);
    m_database = std::move(database);
    return true;
}

void CLanguageTemplate::CloseLanguageDatabase()
{
    m_database.reset();
}

bool CLanguageTemplate::ReplaceLanguageDatabase(const QString& templatePath, const QString& convertedCopy)
{
    m_previous = {m_files.languageTemplatePath, m_files.workingLanguageDBPath, m_database != nullptr};
    m_database.reset();
    if (PutConvertedCopyInPlace(templatePath, convertedCopy) && ReopenLanguageDatabase())
        return true;
    RestorePreviousLanguageDatabase();
    return false;
}

void CLanguageTemplate::RestorePreviousLanguageDatabase()
{
    m_database.reset();
    GetAppContext()->paths()->RestoreLanguageFile(m_previous.templatePath, m_previous.workingPath);
    m_files.languageTemplatePath = m_previous.templatePath;
    m_files.workingLanguageDBPath = m_previous.workingPath;
    if (m_previous.open)
        ReopenLanguageDatabase();
}

// The template taken (its working copy may be made anew) and the converted copy over that copy.
bool CLanguageTemplate::PutConvertedCopyInPlace(const QString& templatePath, const QString& convertedCopy)
{
    PathProvider* paths = GetAppContext()->paths();
    if (!paths->SetLanguageFile(templatePath)) {
        QvMessageBox(CopyFailed(templatePath));
        return false;
    }
    const QString working = paths->workingLanguageDBPath();
    if (!CopyDatabaseFile(convertedCopy, working)) {
        QvMessageBox(CopyFailed(working));
        return false;
    }
    m_files.languageTemplatePath = templatePath;
    m_files.workingLanguageDBPath = working;
    return true;
}

bool CLanguageTemplate::ReopenLanguageDatabase()
{
    try {
        return OpenLanguageDatabase();
    } catch (const CDaoException& error) {
        QvMessageBox(error.GetErrorDescription());
        return false;
    }
}
