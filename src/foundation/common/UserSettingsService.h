#pragma once
// The per-user settings file as the subsystems may use it: write it to a file or load it from
// one ("" = the default per-user file). The application implements it.

#include <QString>

class UserSettingsService {
public:
    virtual ~UserSettingsService() = default;
    virtual bool SaveUserSettingsAs(const QString& path) = 0;
    virtual bool LoadUserSettings(const QString& path) = 0;
};
