#include "shell/InformationCommands.h"

#include "foundation/common/CommandIds.h"
#include "foundation/common/HelpService.h"
#include "foundation/common/PrintDialogService.h"
#include "foundation/common/concerns/AppContext.h"
#include "shell/AboutDialog.h"
#include "shell/MainFrame.h"

void InstallInformationCommands(CMainFrame& frame)
{
    frame.SetCommandHandler(ID_APP_ABOUT, [&frame] {
        CAboutDialog about(&frame);
        about.exec();
    });
    frame.SetCommandHandler(ID_HELP_TOPICS, [] { DisplayHelp(GetHelpFileName(), HELP_CONTENTS_TOPIC); });
    frame.SetCommandHandler(ID_FILE_PRINT_SETUP, [] { SessionPageSetup::Instance().choose(); });
}
