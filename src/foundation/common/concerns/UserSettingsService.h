#pragma once
// The per-user settings file as the subsystems may use it: write it to a file or load it from
// one ("" = the default per-user file). The application implements it.

#include <QString>

class UserSettingsService {
public:
    virtual ~UserSettingsService() = default;
    virtual bool SaveUserSettingsFileAs(const QString& /*path*/) { return false; }
    virtual bool LoadUserSettingsFile(const QString& /*path*/) { return false; }
};
