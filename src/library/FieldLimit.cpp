#include "library/FieldLimit.h"

#include "foundation/common/MessageBox.h"

#include <QLineEdit>

bool CheckFieldLimit(QLineEdit* edit, int maxCharacters)
{
    if (edit->text().size() <= maxCharacters)
        return true;
    QvMessageBox(QStringLiteral("Please enter no more than %1 characters.").arg(maxCharacters), MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
    return false;
}
