#pragma once
// The dialog of the hidden insert command: asks for any operation type id from 0 to 200.

#include <QDialog>
#include <functional>
#include <optional>

class QLineEdit;

class CTestOperationDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTestOperationDialog(QWidget* parent = nullptr);
    int operationTypeID() const { return m_operationTypeID; }
    QLineEdit* edit() const { return m_edit; }
    // OK: the number is taken when it is an integer from 0 to 200; otherwise the range message and
    // the dialog stays.
    void accept() override;

private:
    QLineEdit* m_edit;
    int m_operationTypeID = 0;
};

// The dialog's answer; nullopt on Cancel. Tests replace the dialog with a source of their own.
using TestOperationTypeSource = std::function<std::optional<int>(QWidget*)>;
std::optional<int> AskTestOperationTypeID(QWidget* parent);
TestOperationTypeSource
SetTestOperationTypeSource(TestOperationTypeSource source); // answers the previous one
