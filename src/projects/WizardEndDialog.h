#pragma once
// The modeless "Project Information" window the main frame shows after a new project: the
// project's name and path, its description (written back into the project), and first steps.

#include <QDialog>
#include <QIcon>

#include <functional>

// The picture of the Main-toolbar button that shows the window again.
QIcon ProjectInformationIcon();

class QLabel;
class QPlainTextEdit;

class CWizardEndDialog : public QDialog {
    Q_OBJECT
public:
    explicit CWizardEndDialog(QWidget* parent = nullptr);

    // The frame fills the window before it shows it; without a project the name reads NO_PROJECT.
    void SetProject(const QString& name, const QString& path, const QString& description);
    // Close: the description goes into the project record, the project counts as modified and
    // the frame keeps the text; then the window hides through the frame.
    void OnOK();
    void OnHelp();
    void accept() override { OnOK(); }
    void reject() override { Hide(); }
    // How the frame hides the window; hide() without it.
    void SetHideRequest(std::function<void()> request) { m_hideRequest = std::move(request); }

    QLabel* NameLabel() const { return m_nameLabel; }
    QLabel* PathLabel() const { return m_pathLabel; }
    QPlainTextEdit* DescriptionEdit() const { return m_descriptionEdit; }

    static const QString NO_PROJECT;
    QString m_strDescription;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    bool WriteDescription();
    void Hide();

    QLabel* m_nameLabel = nullptr;
    QLabel* m_pathLabel = nullptr;
    QPlainTextEdit* m_descriptionEdit = nullptr;
    std::function<void()> m_hideRequest;
};
