#pragma once
// Stand-in of the equipment-diagram module. Its preferences need a drawing program this platform
// does not have: the call says so in one message and changes nothing. The last call is kept for
// whoever wants to know what was asked.

#include <QString>

struct EquipmentPreferencesCall {
    QString projectFolder;
    QString resultFileName;
    QString installFolder;
};

class VisInstance {
public:
    void InitEquipmentPreferences(const QString& projectFolder, const QString& resultFileName,
                                  const QString& installFolder);

    static const EquipmentPreferencesCall& LastCall() { return lastCall(); }
    static void ForgetLastCall() { lastCall() = {}; }

private:
    static EquipmentPreferencesCall& lastCall();
};

extern const char* const EQUIPMENT_DIAGRAM_UNAVAILABLE;
