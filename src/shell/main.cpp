// Program entry: start-up, the event loop, shut-down.

#include "shell/QuorvantaApp.h"
#include "shell/ShellConstants.h"
#include "shell/SignalHandler.h"

#include <QApplication>

int main(int argc, char** argv)
{
    CSignalHandler::InstallHandlers(); // a termination signal waits for the event loop from here on
    QApplication app(argc, argv);
    QApplication::setOrganizationName(PROFILE_ORGANIZATION);
    QApplication::setApplicationName(PROFILE_APPLICATION);
    QApplication::setDesktopFileName(QStringLiteral("quorvanta"));
    CQuorvantaApp theApp;
    if (!theApp.InitInstance(QApplication::arguments()))
        return 1;
    const int result = theApp.RunEventLoop();
    theApp.ExitInstance();
    return result;
}
