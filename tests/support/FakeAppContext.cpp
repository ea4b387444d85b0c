#include "FakeAppContext.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withSlash(const QString& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

} // namespace

FakePathProvider::FakePathProvider(const QString& root)
    : m_root(withSlash(root)), m_workingDir(m_root + "work/"),
      m_workingLanguageDBPath(m_root + "instance/QVEnglish.lng")
{
    for (const QString& folder :
         {exeDir(), workingDir(), instanceTempDir(), standardTemplateDir(), userTemplateDir(), languageDir()})
        QDir().mkpath(folder);
}

bool FakePathProvider::SetLanguageFile(const QString& languageTemplatePath)
{
    // Like the program's provider: a template it may write is used where it lies.
    if (!QFileInfo(languageTemplatePath).isFile())
        return false;
    m_workingLanguageDBPath = languageTemplatePath;
    return true;
}

void FakePathProvider::SetWorkingDirectory(const QString& folder)
{
    m_workingDir = withSlash(folder);
}

FakeAppContext::FakeAppContext()
    : m_paths(m_root.path()),
      m_profile(std::make_unique<QSettings>(m_root.filePath("profile.ini"), QSettings::IniFormat)),
      m_previous(SetAppContext(this))
{
}

FakeAppContext::~FakeAppContext()
{
    SetAppContext(m_previous);
}

void FakeAppContext::setProjectModified(bool modified)
{
    m_modified = modified;
    m_modifiedHistory << modified;
}

void FakeAppContext::RemoveFromRecentFileList(const QString& path)
{
    m_recentFiles.removeIf(
        [&](const QString& entry) { return entry.compare(path, Qt::CaseInsensitive) == 0; });
}
