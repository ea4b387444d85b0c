#pragma once
// Small helpers of the option pages: controls named by their id, the framework's integer check of
// an edit, and the beep of a refused entry (replaceable, so tests can count it).

#include <QString>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;

extern const char* const PROMPT_ENTER_INTEGER;       // "Please enter an integer."
extern const char* const PROMPT_ENTER_INTEGER_RANGE; // "Please enter an integer between %1 and %2."

// The system beep; a hook set here replaces it (answers the previous hook).
std::function<void()> SetOptionBeepHook(std::function<void()> hook);
void OptionBeep();

QCheckBox* MakeCheckBox(QWidget* parent, int id, const QString& text);
// The child named by that id ("1352"), or null.
template <typename Widget> Widget* FindControl(const QWidget* parent, int id)
{
    return parent ? parent->findChild<Widget*>(QString::number(id)) : nullptr;
}
void SetChecked(const QWidget* page, int id, bool checked);
bool IsChecked(const QWidget* page, int id);

// Reads an integer from lower to upper from the edit (an empty edit reads emptyValue when it is
// given); false after the framework's prompt, with the focus on the edit.
bool ReadIntegerEdit(QLineEdit* edit, int lower, int upper, int& value, const int* emptyValue = nullptr);
