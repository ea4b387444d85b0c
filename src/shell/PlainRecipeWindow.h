#pragma once
// The window of the "Project Recipe Window" document kind: it carries the document's identity and
// shows the step it belongs to. The recipe editor's text view takes its place in that kind.

#include "foundation/common/RecipeDocument.h"

#include <QLabel>

struct DocumentTemplate;

class CPlainRecipeWindow : public QLabel, public RecipeDocument {
    Q_OBJECT
public:
    CPlainRecipeWindow();
    RecipeDocumentIdentity& identity() override { return m_identity; }

private:
    RecipeDocumentIdentity m_identity;
};

// The document template of the kind, with this window as its factory.
DocumentTemplate PlainRecipeWindowTemplate();
