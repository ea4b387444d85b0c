#pragma once
// "Units Conversion Dialog" (dialog 353): which unit-of-measure set a step's recipe is converted
// to. Every set but the step's current one is offered; OK needs a choice.

#include <QDialog>

class QComboBox;
class QLabel;

class CConvertUnitsDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlID : int { IDC_STEP_NAME = 1580, IDC_FROM_SET = 1661, IDC_UOM_SET = 1179 };

    explicit CConvertUnitsDialog(QWidget* parent = nullptr);

    // Set by the caller before the dialog opens.
    QString m_stepName;
    long m_currentSetID = -1;
    // The chosen set after OK; -1 without a choice.
    long m_chosenSetID = -1;

    void OnInitDialog();
    void OnSelchangeUOMSet();
    void OnOK();
    void OnHelp();
    QComboBox* setCombo() const { return m_setCombo; }
    QString fromText() const;

private:
    void UpdateData(bool saveAndValidate);

    QLabel* m_stepNameLabel = nullptr; // 1580
    QLabel* m_fromLabel = nullptr;     // 1661
    QComboBox* m_setCombo = nullptr;   // 1179
    QString m_currentSetName;
    bool m_initialized = false;
};
