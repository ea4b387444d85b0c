#include "foundation/common/concerns/PreferenceFrameServices.h"

#include "foundation/common/ServiceSlot.h"

void EditOperatingInstructionPreferences()
{
    if (PreferenceFrameServices* frame = ServiceSlot<PreferenceFrameServices>::Get())
        frame->EditOperatingInstructionPreferences();
}

void ShowEquipmentDiagramPreferences()
{
    if (PreferenceFrameServices* frame = ServiceSlot<PreferenceFrameServices>::Get())
        frame->ShowEquipmentDiagramPreferences();
}

void ChemistryOnFilePreferences(QWidget* documentWindow)
{
    if (ChemistryViewServices* chemistry = ServiceSlot<ChemistryViewServices>::Get())
        chemistry->OnFilePreferences(documentWindow);
}
