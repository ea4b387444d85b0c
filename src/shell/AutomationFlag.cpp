#include "shell/AutomationFlag.h"

bool g_bAutomationActive = false;
