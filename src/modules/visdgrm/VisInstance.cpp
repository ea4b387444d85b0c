#include "modules/visdgrm/VisInstance.h"

#include "foundation/common/MessageBox.h"

const char* const EQUIPMENT_DIAGRAM_UNAVAILABLE =
    "The equipment diagram preferences are not available on this platform.";

EquipmentPreferencesCall& VisInstance::lastCall()
{
    static EquipmentPreferencesCall call;
    return call;
}

void VisInstance::InitEquipmentPreferences(const QString& projectFolder, const QString& resultFileName,
                                           const QString& installFolder)
{
    lastCall() = {projectFolder, resultFileName, installFolder};
    QvMessageBox(QString::fromLatin1(EQUIPMENT_DIAGRAM_UNAVAILABLE), MB_OK | MB_ICONINFORMATION);
}
