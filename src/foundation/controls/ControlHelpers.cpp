#include "foundation/controls/ControlHelpers.h"

#include "foundation/common/MessageBox.h"

#include <QLineEdit>

void ShowErrorAndSelectAll(QLineEdit* edit, const QString& message)
{
    QvMessageBox(message, MB_OK | MB_ICONSTOP);
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
}

void ShowErrorAndFocus(QWidget* control, const QString& message)
{
    QvMessageBox(message, MB_OK | MB_ICONSTOP);
    if (control)
        control->setFocus();
}

bool SetMissingIfEmpty(QLineEdit* edit, int kind, double* value, long* longValue)
{
    if (!edit || !edit->text().isEmpty())
        return false;
    if (kind == MISSING_DOUBLE && value)
        *value = 1e35;
    else if (kind == MISSING_LONG && longValue)
        *longValue = MISSING_LONG_VALUE;
    edit->clear();
    return true;
}

bool SetMissingIfEmpty(QWidget* dialog, const QString& controlName, int kind, double* value, long* longValue)
{
    QLineEdit* edit = dialog ? dialog->findChild<QLineEdit*>(controlName) : nullptr;
    return SetMissingIfEmpty(edit, kind, value, longValue);
}
