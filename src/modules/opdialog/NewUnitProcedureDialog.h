#pragma once
// The dialog of a new unit procedure: its name (required) and comments.

#include "modules/opdialog/OperationDialogService.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

class CNewUnitProcedureDialog : public QDialog {
public:
    CNewUnitProcedureDialog(const QString& suggestedName, QWidget* parent = nullptr);
    NewUnitProcedureInput input() const;
    // OK: refused while the name is blank.
    void accept() override;

private:
    QLineEdit* m_name;
    QPlainTextEdit* m_comment;
};
