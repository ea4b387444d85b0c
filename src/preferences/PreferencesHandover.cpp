#include "preferences/PreferencesHandover.h"

#include "foundation/common/DocumentHost.h"
#include "foundation/common/ServiceSlot.h"
#include "preferences/MessageFilterPush.h"
#include "preferences/RecipeCommentTypes.h"

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
