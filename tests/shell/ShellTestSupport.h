#pragma once
// Shared set-up of the shell tests: a clean profile and per-user settings file per test.

#include "shell/ShellConstants.h"
#include "shell/UserSettingsFile.h"

#include <QFile>
#include <QSettings>

inline void ResetShellProfile()
{
    QSettings(PROFILE_ORGANIZATION, PROFILE_APPLICATION).clear();
    QFile::remove(CUserSettingsFile::DefaultPath());
}

inline void WriteProfileValue(const QString& key, const QVariant& value)
{
    QSettings profile(PROFILE_ORGANIZATION, PROFILE_APPLICATION);
    profile.setValue(PROFILE_VERSION_GROUP + QLatin1Char('/') + key, value);
}
