#include "foundation/controls/OptionControls.h"

#include "foundation/common/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

const char* const PROMPT_ENTER_INTEGER = "Please enter an integer.";
const char* const PROMPT_ENTER_INTEGER_RANGE = "Please enter an integer between %1 and %2.";

namespace {
std::function<void()>& BeepHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

std::function<void()> SetOptionBeepHook(std::function<void()> hook)
{
    return std::exchange(BeepHook(), std::move(hook));
}

void OptionBeep()
{
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

QCheckBox* MakeCheckBox(QWidget* parent, int id, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::number(id));
    return box;
}

void SetChecked(const QWidget* page, int id, bool checked)
{
    if (auto* box = FindControl<QCheckBox>(page, id))
        box->setChecked(checked);
}

bool IsChecked(const QWidget* page, int id)
{
    auto* box = FindControl<QCheckBox>(page, id);
    return box && box->isChecked();
}

bool ReadIntegerEdit(QLineEdit* edit, int lower, int upper, int& value, const int* emptyValue)
{
    const QString text = edit->text().trimmed();
    if (text.isEmpty() && emptyValue) {
        value = *emptyValue;
        return true;
    }
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber || number < lower || number > upper) {
        QvMessageBox(isNumber ? QString::fromLatin1(PROMPT_ENTER_INTEGER_RANGE).arg(lower).arg(upper)
                              : QString::fromLatin1(PROMPT_ENTER_INTEGER),
                     MB_OK | MB_ICONEXCLAMATION);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = number;
    return true;
}
