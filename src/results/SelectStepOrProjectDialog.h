#pragma once
// "Project/Step Selection": a report over the whole project or one step. "Project" is chosen at
// first and leaves the step id -1.

#include "results/SelectStepDialog.h"

class QRadioButton;

class CSelectStepOrProjectDialog : public CSelectStepDialog {
    Q_OBJECT
public:
    explicit CSelectStepOrProjectDialog(QWidget* parent = nullptr);

    bool projectChosen() const { return m_projectChosen; }
    bool stepChosen() const { return !m_projectChosen; }
    QRadioButton* projectRadio() const { return m_projectRadio; }
    QRadioButton* stepRadio() const { return m_stepRadio; }

    void OnInitDialog();
    void OnProject();
    void OnStep();
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QRadioButton* m_projectRadio;
    QRadioButton* m_stepRadio;
    bool m_projectChosen = true;
};
