#pragma once
// The frame's report commands: data reports, step equipment, case comparison, custom reports with
// their recent list, Run Report and the home page; the HTML view's commands and context while one
// is the active window.

class CQuorvantaApp;
class CMainFrame;

void InstallReportCommands(CQuorvantaApp& app, CMainFrame& frame);
