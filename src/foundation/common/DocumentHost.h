#pragma once
// Opens, finds, activates and closes the document windows of the main frame's tabbed area.
// A window is keyed by (kind, id): the id of the step, process or plan it shows.

#include "foundation/common/DocumentKinds.h"

#include <QString>

class QWidget;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Activates the window of that key, or makes one with the kind's registered factory and adds it
    // as a tab titled title. Null when the kind has no factory or the factory made nothing.
    virtual QWidget* OpenDocument(DocumentKind kind, long id, const QString& title) = 0;
    // Registers a window made by the caller in the tab list under that key and shows it.
    virtual void AddDocTab(QWidget* window, DocumentKind kind, long id, const QString& title) = 0;
    virtual QWidget* FindDocument(DocumentKind kind, long id) const = 0;
    virtual bool ActivateDocument(DocumentKind kind, long id) = 0;
    virtual bool CloseDocument(DocumentKind kind, long id) = 0;
};
