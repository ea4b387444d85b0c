#include "SessionAppContext.h"

#include "foundation/db/SchemaBuilder.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString withSlash(const QString& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}
} // namespace

CSessionPaths::CSessionPaths(const QString& root, const QString& instanceDir)
    : m_root(withSlash(root)), m_instanceDir(withSlash(instanceDir)), m_workingDir(m_root + "work/")
{
    for (const QString& folder : {exeDir(), m_workingDir, m_instanceDir, userTemplateDir(), languageDir()})
        QDir().mkpath(folder);
}

bool CSessionPaths::SetLanguageFile(const QString& languageTemplatePath)
{
    if (!QFileInfo(languageTemplatePath).isFile())
        return false;
    m_workingLanguageDBPath = languageTemplatePath;
    return true;
}

void CSessionPaths::SetWorkingDirectory(const QString& folder)
{
    m_workingDir = withSlash(folder);
}

CSessionAppContext::CSessionAppContext(const QString& root, const QString& instanceDir)
    : m_paths(root, instanceDir), m_profile(withSlash(root) + "profile.ini", QSettings::IniFormat),
      m_previous(SetAppContext(this))
{
    const QString language = m_paths.languageDir() + QStringLiteral("QVEnglish.lng");
    if (QFileInfo::exists(language) || CSchemaBuilder::Build(DatabaseKind::Language, language))
        m_fileSet.defaultLanguageTemplatePath = language;
}

CSessionAppContext::~CSessionAppContext()
{
    SetAppContext(m_previous);
}
