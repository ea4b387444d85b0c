#pragma once
// The process dialog: name and version (both required) and description.

#include "modules/addnew/AddNewDialogService.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

class CAddNewProcessDialog : public QDialog {
public:
    CAddNewProcessDialog(const ProcessForm& form, QWidget* parent = nullptr);
    void read(ProcessForm& form) const;
    // OK: refused while the name or the version is blank or another process holds both.
    void accept() override;

private:
    const ProcessForm m_form;
    QLineEdit* m_name;
    QLineEdit* m_version;
    QPlainTextEdit* m_description;
};
