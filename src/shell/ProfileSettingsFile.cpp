#include "shell/ProfileSettingsFile.h"

#include "foundation/common/RegularFile.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

ProfileSettings::ProfileSettings() = default;
ProfileSettings::ProfileSettings(ProfileSettings&&) noexcept = default;
ProfileSettings& ProfileSettings::operator=(ProfileSettings&&) noexcept = default;
ProfileSettings::~ProfileSettings()
{
    settings.reset(); // before its folder goes
}

QString ProfileSettingsPath(const QString& organization, const QString& application)
{
    // As Qt composes it on this platform: the user's configuration folder, organisation, application.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + organization +
           u'/' + application + QStringLiteral(".conf");
}

QString ProfileSettingsRefusal(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0)
        return {}; // nothing there
    if (QString refusal = RegularFileRefusal(path, LinkRule::Follow); !refusal.isEmpty())
        return refusal;
    if (::stat(name.constData(), &status) != 0)
        return NotRegularFileText(path, QStringLiteral("a symbolic link that names no file"));
    return {};
}

ProfileSettings OpenProfileSettings(const QString& organization, const QString& application)
{
    ProfileSettings profile;
    const QString path = ProfileSettingsPath(organization, application);
    const QString refusal = ProfileSettingsRefusal(path);
    if (refusal.isEmpty()) {
        profile.settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
        return profile;
    }
    profile.leftAlone =
        refusal +
        QStringLiteral(" The program starts with its default settings and writes nothing to that file.");
    profile.standIn = std::make_unique<QTemporaryDir>();
    profile.settings = std::make_unique<QSettings>(
        profile.standIn->isValid() ? profile.standIn->filePath(application + QStringLiteral(".conf"))
                                   : QString(),
        QSettings::IniFormat);
    return profile;
}
