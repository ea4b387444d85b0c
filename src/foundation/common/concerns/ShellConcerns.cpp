// Calls through the concerns the shell installs: project control, display options, help and the
// command dispatcher.

#include "foundation/common/HelpService.h"
#include "foundation/common/PathHelpers.h"
#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/CommandDispatcher.h"
#include "foundation/common/concerns/DisplayOptions.h"
#include "foundation/common/concerns/ProjectControl.h"
#include "foundation/common/concerns/SelectionService.h"

#include <QFileInfo>

const ContextRecord& SelectionService::CurrentContext() const
{
    static const ContextRecord nothing;
    return nothing;
}

const DisplayOptions& DisplayOptionsService::GetDisplayOptions() const
{
    static const DisplayOptions allOff;
    return allOff;
}

bool IsProjectOpen()
{
    const ProjectControl* control = ServiceSlot<ProjectControl>::Get();
    return control && control->IsProjectOpen();
}

DisplayOptions CurrentDisplayOptions()
{
    const DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get();
    return service ? service->GetDisplayOptions() : DisplayOptions();
}

void SetCurrentDisplayOptions(const DisplayOptions& options)
{
    if (DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get())
        service->SetDisplayOptions(options);
}

void NotifyDisplayOptionsChanged()
{
    if (DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get())
        service->DisplayOptionsChanged();
}

void NotifyRecipeOptionsUpdate()
{
    if (DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get())
        service->NotifyOptionsUpdate();
}

void NotifyCommentsTypeUpdate()
{
    if (DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get())
        service->NotifyCommentsTypeUpdate();
}

void NotifyLanguageUpdate(const QString& language)
{
    if (DisplayOptionsService* service = ServiceSlot<DisplayOptionsService>::Get())
        service->NotifyLanguageUpdate(language);
}

QString HelpTopicPage(const QString& installDir, const QString& helpFile, long topic)
{
    const QString base = QFileInfo(helpFile).completeBaseName().toLower();
    return WithSlash(installDir) + QStringLiteral("help/%1/%2.html").arg(base).arg(topic);
}

void DisplayHelp(const QString& helpFile, long topic)
{
    if (HelpService* help = ServiceSlot<HelpService>::Get())
        help->DisplayHelp(helpFile, topic);
}

bool DispatchCommand(int commandID, CommandTarget* target, const QVariant& hitItem)
{
    CommandDispatcher* dispatcher = ServiceSlot<CommandDispatcher>::Get();
    return dispatcher && dispatcher->DispatchCommand({commandID, target, hitItem});
}
