#pragma once
// Opens, finds, activates and closes the document windows of the main frame's tabbed area.
// A window is keyed by (kind, id): the id of the step, process or plan it shows. Windows are found
// here, never kept in lists of their own. Without a host nothing opens and nothing is found.

#include "foundation/common/concerns/DocumentKinds.h"

#include <QList>
#include <QString>

class QWidget;

struct HostedDocument {
    long id = -1;
    QWidget* window = nullptr;
};

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Activates the window of that key, or makes one with the kind's registered factory and adds it
    // as a tab titled title. Null when the kind has no factory or the factory made nothing.
    virtual QWidget* OpenDocument(DocumentKind /*kind*/, long /*id*/, const QString& /*title*/)
    {
        return nullptr;
    }
    // Registers a window made by the caller in the tab list under that key and shows it; without a
    // host the window stays the caller's.
    virtual void AddDocTab(QWidget* /*window*/, DocumentKind /*kind*/, long /*id*/, const QString& /*title*/)
    {
    }
    virtual QWidget* FindDocument(DocumentKind /*kind*/, long /*id*/) const { return nullptr; }
    virtual bool ActivateDocument(DocumentKind /*kind*/, long /*id*/) { return false; }
    virtual bool CloseDocument(DocumentKind /*kind*/, long /*id*/) { return false; }
    // The open windows of a kind in tab order.
    virtual QList<HostedDocument> ListDocuments(DocumentKind /*kind*/) const { return {}; }
};
