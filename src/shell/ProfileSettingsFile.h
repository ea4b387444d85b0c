#pragma once
// Qt's own settings file of the program (the profile: recent files, folders, options). Qt reads it
// whole as the settings are made and writes it back at quit: a named pipe under its name would hold
// the start for good, a device would be read without end, and the write would replace a pipe or
// folder, or create the file a link that names nothing points to. The file is therefore used only
// when nothing or a regular file (a symbolic link to one included) stands under its name; otherwise
// the program runs on settings of a folder of its own, which start empty and go at quit, and the
// file is left as it is.

#include <QString>

#include <memory>

class QSettings;
class QTemporaryDir;

struct ProfileSettings {
    ProfileSettings();
    ProfileSettings(ProfileSettings&&) noexcept;
    ProfileSettings& operator=(ProfileSettings&&) noexcept;
    ~ProfileSettings();

    std::unique_ptr<QTemporaryDir> standIn; // the folder of the settings used in the file's place
    std::unique_ptr<QSettings> settings;    // goes before standIn: it writes there as it goes
    QString leftAlone; // what the user is told: the file left alone and why; "" when it is used
};

// Where Qt keeps the settings of the organisation and application.
QString ProfileSettingsPath(const QString& organization, const QString& application);
// Why the file under path is not used; "" when nothing or a regular file stands there.
QString ProfileSettingsRefusal(const QString& path);
ProfileSettings OpenProfileSettings(const QString& organization, const QString& application);
