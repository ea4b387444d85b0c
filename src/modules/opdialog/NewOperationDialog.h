#pragma once
// The dialog of a new operation: shows its type and unit procedure and asks for its label.

#include "modules/opdialog/OperationDialogService.h"

#include <QDialog>

class QLineEdit;

class CNewOperationDialog : public QDialog {
public:
    CNewOperationDialog(const QString& typeName, const QString& unitProcedureName, QWidget* parent = nullptr);
    NewOperationInput input() const;
    // OK: a blank label takes the type name.
    void accept() override;

private:
    QString m_typeName;
    QLineEdit* m_label;
};
