// The hub's button handlers: each runs its dialog modally (or hands the request to the main frame)
// and does the after-close work of that button.

#include "preferences/hub/Preference.h"

#include "foundation/common/concerns/PreferenceFrameServices.h"
#include "foundation/common/concerns/SubsystemConcerns.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/project/SimulationOptionsSet.h"
#include "library/FacilityCalendar.h"
#include "modules/calendar/DialogCalendar.h"
#include "preferences/hub/PreferencePages.h"
#include "preferences/shared/PreferenceHub.h"

#include <QPushButton>

namespace {

enum HubButtonID : int {
    ROUTE_SELECTION = 1008,
    MODEL_SELECTION = 1047,
    UNIT_OF_MEASURE = 1048,
    COST_FACTORS = 1049,
    STREAM_CATEGORIES = 1050,
    PHYSICAL_PROPERTY = 1051,
    EQUIPMENT_DIAGRAM = 1052,
    GLOBAL_DEFAULTS = 1372,
    RANGE_TYPE = 1373,
    LABOR = 1374,
    LANGUAGE = 1375,
    OPERATING_INSTRUCTIONS = 1376,
    CALENDAR = 1377,
    VAPOR_EMISSION = 1378,
    COMMENT_TYPE = 1379,
    ROUNDING = 1380,
};

void ResetEveryStep()
{
    ResetStepSimulation(-1, QStringLiteral("SimulateOnly"));
}

// The "BATCH" simulation options row exists and computes air emissions.
bool BatchComputesAirEmission()
{
    CSimulationOptionsSet options;
    try {
        const bool found = options.OpenSet(QStringLiteral("BATCH")) && !options.IsEOF() &&
                           options.GetBool(QStringLiteral("AirEmission"));
        options.CloseSet();
        return found;
    } catch (const CDaoException&) {
        options.CloseSet();
        return false;
    }
}

} // namespace

void CPreference::OnButton(int id)
{
    switch (id) {
    case MODEL_SELECTION:
    case PHYSICAL_PROPERTY:
    case ROUTE_SELECTION:
    case ROUNDING:
        OnPageButton(id);
        break;
    case OPERATING_INSTRUCTIONS:
        EditOperatingInstructionPreferences();
        break;
    case EQUIPMENT_DIAGRAM:
        ShowEquipmentDiagramPreferences();
        break;
    case CALENDAR:
        OnCalendar();
        break;
    default:
        OnEntryButton(id);
    }
}

// An entry set for a page button takes its place (a replacement dialog, or a test's).
void CPreference::OnPageButton(int id)
{
    const bool done = PreferenceHub::hasEntry(id) ? PreferenceHub::runEntry(id, this) : RunPreferencePage(id, this);
    if (done && id == PHYSICAL_PROPERTY)
        ResetEveryStep();
    if (done && id == ROUNDING)
        m_bRoundingSaved = true;
}

// Dialogs built elsewhere: the steps are simulated again after an OK of the global defaults and
// the labour preferences, and of the vapour emissions when the batch run computes them.
void CPreference::OnEntryButton(int id)
{
    if (!PreferenceHub::runEntry(id, this))
        return;
    if (id == GLOBAL_DEFAULTS || id == LABOR || (id == VAPOR_EMISSION && BatchComputesAirEmission()))
        ResetEveryStep();
}

void CPreference::OnCalendar()
{
    CFacilityCalendar calendar;
    CDialogCalendar editor(&calendar, nullptr);
    editor.exec();
}

void CPreference::EnableEntryButtons()
{
    for (int id : PreferenceHub::ENTRY_BUTTONS)
        button(id)->setEnabled(PreferenceHub::hasEntry(id));
}
