#pragma once
// Small helpers of dialogs: refusing an entry with a message, and empty edits as unset values.

#include <QString>

class QLineEdit;
class QWidget;

// Stop-icon message, then the focus on the edit with all its text selected.
void ShowErrorAndSelectAll(QLineEdit* edit, const QString& message);
// Stop-icon message, then the focus on the control.
void ShowErrorAndFocus(QWidget* control, const QString& message);

constexpr int MISSING_DOUBLE = 1;
constexpr int MISSING_LONG = 2;
constexpr long MISSING_LONG_VALUE = 99999999;

// When the edit is empty: kind 1 stores 1e35 in *value, kind 2 stores 99999999 in *longValue,
// the edit is emptied and the result is true. Otherwise (or without an edit) false, nothing stored.
bool SetMissingIfEmpty(QLineEdit* edit, int kind, double* value, long* longValue);
// The same for the edit named controlName among the dialog's children.
bool SetMissingIfEmpty(QWidget* dialog, const QString& controlName, int kind, double* value, long* longValue);
