#pragma once
// The step dialog: a new step (name and version required, description, facility) or, for a new
// one, a step of another process to link instead.

#include "modules/addnew/AddNewDialogService.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CAddNewStepDialog : public QDialog {
public:
    CAddNewStepDialog(const StepForm& form, QWidget* parent = nullptr);
    void read(StepForm& form) const;
    // OK: a new step is refused while its name or version is blank, its name is START or another
    // step of its process holds both.
    void accept() override;

private:
    const StepForm m_form;
    void addLinkChoice(const StepForm& form);
    void linkChosen();
    bool linking() const;

    QComboBox* m_link = nullptr;
    QLineEdit* m_name;
    QLineEdit* m_version;
    QPlainTextEdit* m_description;
    QComboBox* m_facility;
};
