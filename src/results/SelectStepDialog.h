#pragma once
// "Select a Step": one step of the project for a report. After OK the caller reads the chosen id
// and its entry text; Cancel leaves them as they were.

#include <QDialog>

class QComboBox;

class CSelectStepDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSelectStepDialog(QWidget* parent = nullptr);

    long selectedStepID() const { return m_stepID; }
    const QString& selectedStepText() const { return m_stepText; }
    QComboBox* stepCombo() const { return m_combo; }

    // Fills the combo (see ReadProjectStepEntries); the first show calls it.
    void OnInitDialog();
    void accept() override; // OK

protected:
    void showEvent(QShowEvent* event) override;
    // False after "Please select a Step!" when no step is chosen.
    bool TakeSelectedStep();

    QComboBox* m_combo;
    long m_stepID = -1;
    QString m_stepText;
    bool m_initialised = false;
};
