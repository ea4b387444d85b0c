#pragma once
// Installs the services the program's parts ask of one another, for the lifetime of installed.

class CMainFrame;
class CQuorvantaApp;
class HelpService;
class ServiceInstallations;

void Compose(CQuorvantaApp& app, CMainFrame& frame, HelpService& help, ServiceInstallations& installed);
