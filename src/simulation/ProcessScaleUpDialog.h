#pragma once
// "Recipe Scaling for a Process": the target of a process's scale-up (the original final product
// batch size, a final product or key raw material batch size, or N times the current batch) over
// the process's names and its three sizes in kg. It writes nothing; the driver reads the choice.

#include "simulation/DialogControlIds.h"

#include <QDialog>
#include <QHash>
#include <QString>

class QRadioButton;

struct ProcessScaleUpSizesKg {
    double current = 1e35;     // final product batch size
    double original = 1e35;    // final product batch size at data entry
    double keyRawInput = 1e35; // key raw material batch size
};

class CProcessScaleUpDialog : public QDialog {
    Q_OBJECT
public:
    enum Option { ORIGINAL = 1, FINAL_PRODUCT = 2, KEY_RAW_MATERIAL = 3, N_TIMES = 4 };

    explicit CProcessScaleUpDialog(long processID, QWidget* parent = nullptr);

    void SetSizes(const ProcessScaleUpSizesKg& sizes) { m_sizes = sizes; }
    bool OnInitDialog();
    int DoModal();
    void accept() override; // OK
    void OnSelectOption(int option);
    void OnHelp();

    int SelectedOption() const { return m_option; }
    double FinalProductValue() const { return m_finalValue; }
    QString FinalProductUnit() const { return m_finalUnit; }
    double KeyRawMaterialValue() const { return m_rawValue; }
    QString KeyRawMaterialUnit() const { return m_rawUnit; }
    double Factor() const { return m_factor; }

    QWidget* Control(int id) const { return m_controls.Get(id); }

private:
    void BuildControls();
    QRadioButton* AddOption(int id, int option, const QString& text);
    bool FillNames();
    void FillStatics();
    bool UpdateData(bool save);
    bool Checked();
    bool CheckValue(double value, int edit, const char* missing, const char* notPositive);

    long m_processID;
    ProcessScaleUpSizesKg m_sizes;
    bool m_initialised = false;
    int m_option = ORIGINAL;
    double m_finalValue = 1e35;
    QString m_finalUnit;
    double m_rawValue = 1e35;
    QString m_rawUnit;
    double m_factor = 1e35;
    QString m_processName, m_versionName, m_finalName, m_rawName;
    DialogControlIds m_controls;
    QHash<int, QRadioButton*> m_optionButtons; // by option
};
