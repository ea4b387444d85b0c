#include "preferences/PreferencePages.h"

// Until the preference dialogs are built no button opens anything.
bool RunPreferencePage(int /*buttonID*/, QWidget* /*parent*/)
{
    return false;
}
