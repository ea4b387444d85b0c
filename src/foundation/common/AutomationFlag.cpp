#include "foundation/common/AutomationFlag.h"

bool g_bAutomationActive = false;
