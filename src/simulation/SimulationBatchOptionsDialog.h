#pragma once
// "Simulate Batch": which part of the step's recipe a batch run covers: the entire recipe, the
// current operation (only when an operation line is selected) or a range of visible operations.

#include <QDialog>

class QComboBox;
class QRadioButton;

class CSimulationBatchOptionsDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { ENTIRE_RECIPE = 0, CURRENT_OPERATION = 1, FROM_OPERATION = 2 };

    CSimulationBatchOptionsDialog(long stepID, long currentLineID, QWidget* parent = nullptr);

    int choice() const { return m_choice; }
    long fromID() const { return m_fromID; }
    long toID() const { return m_toID; }
    QRadioButton* radio(int choice) const { return m_radios[choice]; }
    QComboBox* fromCombo() const { return m_fromCombo; }
    QComboBox* toCombo() const { return m_toCombo; }

    void accept() override;
    void OnHelp();

private:
    void BuildControls();
    void OnInitDialog();
    void FillOperationCombos();
    void OnChoice(int choice);
    bool TakeSelection(QComboBox* combo, long* id);

    long m_stepID;
    long m_currentLineID;
    int m_choice = ENTIRE_RECIPE;
    long m_fromID = -1;
    long m_toID = -1;
    QRadioButton* m_radios[3] = {};
    QComboBox* m_fromCombo = nullptr;
    QComboBox* m_toCombo = nullptr;
};
