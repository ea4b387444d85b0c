#pragma once
// An edit for one decimal number (C-locale form, e.g. "-1.5e3"). Empty means unset (1e35).

#include <QLineEdit>

class CNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumericEdit(QWidget* parent = nullptr);

    // Reads the number; false (with the number prompt when showMessage) when it does not read.
    bool GetValue(double* value, bool showMessage = true) const;
    // Shows the value with precision 7; 1e35 shows as an empty edit.
    void SetValue(double value);
};
