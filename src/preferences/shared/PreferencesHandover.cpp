#include "preferences/shared/PreferencesHandover.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/DocumentHost.h"
#include "preferences/shared/MessageFilterPush.h"
#include "preferences/shared/RecipeCommentTypes.h"

#include <QMetaObject>
#include <QWidget>

void CPreferencesHandover::LoadRecipeCommentTypes()
{
    PushProjectMessageFilter();
    ::LoadRecipeCommentTypes({});
}

// Each Quick Results document offers updateResults as an invokable member.
void UpdateQuickResultsDocuments()
{
    const DocumentHost* host = ServiceSlot<DocumentHost>::Get();
    if (!host)
        return;
    for (const HostedDocument& document : host->ListDocuments(DocumentKind::QuickResults))
        if (document.window)
            QMetaObject::invokeMethod(document.window, "updateResults");
}
