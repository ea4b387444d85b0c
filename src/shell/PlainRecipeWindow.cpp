#include "shell/PlainRecipeWindow.h"

#include "foundation/common/DocumentKinds.h"
#include "shell/DocumentRegistry.h"

CPlainRecipeWindow::CPlainRecipeWindow()
{
    setAlignment(Qt::AlignCenter);
    connect(this, &QWidget::windowTitleChanged, this, &QLabel::setText);
}

DocumentTemplate PlainRecipeWindowTemplate()
{
    return {DocumentKindName(DocumentKind::ProjectRecipe), 0, [] { return new CPlainRecipeWindow; }};
}
