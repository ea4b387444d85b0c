#include "foundation/controls/FactorColumnValidator.h"

#include "foundation/common/ParseDouble.h"

bool CFactorColumnValidator::ValidateCell(CObjectGridWnd&, int, int col, const QString& text,
                                          QString* warning)
{
    if (col != m_column)
        return true;
    double value = 0;
    if (!ParseDouble(text, &value, false)) {
        *warning = QString::fromLatin1(NUMBER_PROMPT_TEXT);
        return false;
    }
    // Blanks before the sign do not let a negative factor through.
    if (m_sign == RefuseNegative && text.trimmed().startsWith(u'-')) {
        *warning = QStringLiteral("Please enter a possitive number!");
        return false;
    }
    return true;
}
