#include "foundation/controls/RichText.h"

CRichText::CRichText(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}

void CRichText::SetText(const QString& text)
{
    setPlainText(text);
}
