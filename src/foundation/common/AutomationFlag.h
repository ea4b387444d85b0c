#pragma once
// Set at start-up when the program was started embedded or for automation.

extern bool g_bAutomationActive;
