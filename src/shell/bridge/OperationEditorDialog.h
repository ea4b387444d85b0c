#pragma once
// The stand-in's operation editor: one numeric value per stored parameter with its unit, a choice
// list per library item the type names (material, reaction, key component), the comments, and the
// unit procedure's equipment shown read-only.

#include "shell/bridge/OperationEditorForm.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;

class COperationEditorDialog : public QDialog {
public:
    explicit COperationEditorDialog(const OperationEditorContent& content, QWidget* parent = nullptr);
    OperationEditorContent content() const;
    // OK: refused while a value is not a number (blank leaves the value unset).
    void accept() override;

private:
    int invalidValueRow() const;
    void addChoices(QFormLayout& form);

    OperationEditorContent m_content;
    QList<QLineEdit*> m_values;
    QList<QComboBox*> m_choices;
    QPlainTextEdit* m_comments;
};

class CQtOperationEditorForm : public OperationEditorForm {
public:
    std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) override;
};
