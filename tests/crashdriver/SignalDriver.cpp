// Driver of the signal test: the program as its main runs it, started on a project that it may
// change, then left in its event loop until a signal ends it.
//   qv-signal-driver <project file> <change: 0 or 1> [<signal raised before start-up>]
// "ready" on stdout tells that the project is open (and changed). Prompts get their default
// button and their texts go to stderr as "prompt: <text>". The exit code is the program's.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "shell/QuorvantaApp.h"
#include "shell/ShellConstants.h"
#include "shell/SignalHandler.h"

#include <QApplication>

#include <csignal>
#include <cstdlib>
#include <cstdio>

namespace {
class ReportingPrompts : public AutomationPromptService {
public:
    int prompt(const QString& text, unsigned flags, const QString& caption) override
    {
        std::fprintf(stderr, "prompt: %s\n", qPrintable(text));
        return AutomationPromptService::prompt(text, flags, caption);
    }
};

void ChangeProject(CQuorvantaApp& app)
{
    GetProjectDatabase()->Execute("UPDATE Project SET Description = 'Changed before the signal'");
    app.setProjectModified(true);
}
} // namespace

int main(int argc, char** argv)
{
    CSignalHandler::InstallHandlers();
    if (argc == 4)
        std::raise(std::atoi(argv[3]));
    QApplication application(argc, argv);
    QApplication::setOrganizationName(PROFILE_ORGANIZATION);
    QApplication::setApplicationName(PROFILE_APPLICATION);
    if (argc < 3) {
        std::fputs("usage: qv-signal-driver <project file> <change: 0 or 1> [<signal>]\n", stderr);
        return 64;
    }
    ReportingPrompts prompts;
    ScopedPromptService scoped(&prompts);
    CQuorvantaApp app;
    if (!app.InitInstance({"quorvanta", QString::fromLocal8Bit(argv[1])}) || !GetProjectDatabase())
        return 65;
    if (std::atoi(argv[2]) == 1)
        ChangeProject(app);
    std::puts("ready");
    std::fflush(stdout);
    const int result = app.RunEventLoop();
    app.ExitInstance();
    return result;
}
