#include "shell/QVFileLocations.h"

#include "foundation/common/PathHelpers.h"
#include "foundation/db/files/DatabaseFiles.h"
#include "shell/InstanceFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>

#include <unistd.h>

namespace {
const QString CURRENT_DIR_SECTION = QStringLiteral("Current Dir");
const QString DIR_ENTRY = QStringLiteral("Dir");
const QString LANGUAGE_TEMPLATE = QStringLiteral("QVEnglish.lng");

bool canReadAndWrite(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
}

} // namespace

CQVFileLocations::CQVFileLocations(QSettings* profile)
    : m_profile(profile), m_installDir(FindInstallDir()), m_canReadAndWrite(canReadAndWrite)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_workingDir = WithSlash(documents + QStringLiteral("/Quorvanta"));
    const QString stored =
        profile ? profile->value(CURRENT_DIR_SECTION + '/' + DIR_ENTRY).toString() : QString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        m_workingDir = WithSlash(stored);
    QDir().mkpath(m_workingDir);
    m_instance = std::make_unique<CInstanceFolder>(WorkingCopiesRoot());
    m_instanceDir = m_instance->path();
}

CQVFileLocations::~CQVFileLocations() = default;

QString CQVFileLocations::FindInstallDir()
{
#ifdef QV_DATA_DIR
    if (QFileInfo(QStringLiteral(QV_DATA_DIR)).isDir())
        return WithSlash(QStringLiteral(QV_DATA_DIR));
#endif
    return WithSlash(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quorvanta"));
}

QString CQVFileLocations::exeDir() const
{
    return WithSlash(QCoreApplication::applicationDirPath());
}

QString CQVFileLocations::workingCopiesRoot() const
{
    return WithSlash(WorkingCopiesRoot());
}

QString CQVFileLocations::standardTemplateDir() const
{
    return m_installDir + QStringLiteral("Templates/Projects/Standard/");
}

QString CQVFileLocations::userTemplateDir() const
{
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                     QStringLiteral("/Templates/Projects/User"));
}

QString CQVFileLocations::languageDir() const
{
    return m_installDir + QStringLiteral("Language/");
}

QString CQVFileLocations::defaultLanguageTemplatePath() const
{
    return languageDir() + LANGUAGE_TEMPLATE;
}

bool CQVFileLocations::SetLanguageFile(const QString& languageTemplatePath)
{
    if (!QFileInfo(languageTemplatePath).isFile())
        return false;
    QString usable = languageTemplatePath;
    if (!m_canReadAndWrite(languageTemplatePath))
        usable = copyLanguageTemplate(languageTemplatePath);
    if (usable.isEmpty())
        return false;
    m_languageTemplatePath = languageTemplatePath;
    m_workingLanguagePath = usable;
    return true;
}

// The working copy of a template that cannot be written where it lies, copied through the database layer.
QString CQVFileLocations::copyLanguageTemplate(const QString& source) const
{
    if (m_instanceDir.isEmpty())
        return QString();
    const QString folder = m_instanceDir + QStringLiteral("Language/");
    QDir().mkpath(folder);
    const qint64 size = QFileInfo(source).size();
    if (QStorageInfo(folder).bytesAvailable() < size)
        return QString();
    const QString target = folder + QFileInfo(source).fileName();
    if (!CopyDatabaseFile(source, target))
        return QString();
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    return target;
}

void CQVFileLocations::SetWorkingDirectory(const QString& folder)
{
    m_workingDir = WithSlash(folder);
    if (m_profile)
        m_profile->setValue(CURRENT_DIR_SECTION + '/' + DIR_ENTRY, m_workingDir);
}

void CQVFileLocations::RemoveInstanceFolderIfUnused()
{
    // Working copies of a project whose close was refused stay for the recovery at the next open;
    // anything else in the folder is scratch.
    m_instance->RemoveIfUnused();
}
