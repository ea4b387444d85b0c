#include "foundation/controls/NumericEdit.h"

#include "foundation/common/ParseDouble.h"

#include <QRegularExpressionValidator>

CNumericEdit::CNumericEdit(QWidget* parent) : QLineEdit(parent)
{
    // Accepts every prefix of a decimal number, so the user can type it character by character.
    static const QRegularExpression partialNumber(
        QStringLiteral("[ \\t]*[+-]?\\d*\\.?\\d*([eE][+-]?\\d*)?[ \\t]*"));
    setValidator(new QRegularExpressionValidator(partialNumber, this));
}

bool CNumericEdit::GetValue(double* value, bool showMessage) const
{
    return ParseDouble(text(), value, showMessage);
}

void CNumericEdit::SetValue(double value)
{
    setText(value == 1e35 ? QString() : FormatDouble(value));
}
