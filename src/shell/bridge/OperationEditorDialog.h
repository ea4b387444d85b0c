#pragma once
// The stand-in's operation editor: one numeric value per stored parameter with its unit, a choice
// list per library item the type names (material, reaction, key component), the comments, and the
// unit procedure's equipment shown as text (a tip says where it is set).

#include "shell/bridge/OperationEditorForm.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class COperationEditorDialog : public QDialog {
public:
    explicit COperationEditorDialog(const OperationEditorContent& content, QWidget* parent = nullptr);
    OperationEditorContent content() const;
    // OK: refused while a value is not a number (blank leaves the value unset).
    void accept() override;

    static const char* const EQUIPMENT_TIP;

private:
    int invalidValueRow() const;
    void addChoices(QFormLayout& form);
    QLabel* equipmentLabel(const QString& tag);

    OperationEditorContent m_content;
    QList<QLineEdit*> m_values;
    QList<QComboBox*> m_choices;
    QPlainTextEdit* m_comments;
};

class CQtOperationEditorForm : public OperationEditorForm {
public:
    std::optional<OperationEditorContent> Ask(const OperationEditorContent& content) override;
};
