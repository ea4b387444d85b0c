#pragma once
// "Recipe Scaling for a Step": the target of a step's scaling (eight codes), the operations the
// scaling leaves alone, an optional unit-of-measure set to keep the scaled recipe in, and "Undo
// Previous Scaling". It scales nothing itself: OK stores the scale-invariant operations and the
// step's record of this scaling in one transaction; Undo marks the step's last scaling as undone.

#include "simulation/DialogControlIds.h"

#include <QDialog>
#include <QHash>
#include <QString>

class CNumericEdit;
class CObjectGridWnd;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

struct ScaleUpSizesKg {
    double current = 1e35;
    double original = 1e35;
    double maximum = 1e35;
    double minimum = 1e35;
    double keyInput = 1e35;
};

class CScaleUpDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int ROWS = 20;

    CScaleUpDialog(long stepID, long processID, const ScaleUpSizesKg& sizes, QWidget* parent = nullptr);

    // Fills the dialog from the step; false when it stopped early (it still opens).
    bool OnInitDialog();
    int DoModal();
    void accept() override; // OK
    void OnUndoPrevScaling();
    void OnSelectCode(int code);
    void OnCheckUOMSet();
    void OnHelp();

    // What the driver reads after OK.
    int Code() const { return m_code; } // 1..8
    bool UndoRequested() const { return m_undo; }
    long EquipmentForCapacity() const { return m_equipment3; }
    long EquipmentForMinimum() const { return m_equipment8; }
    long UOMSetID() const { return m_uomSetID; }
    double KeyOutputValue() const { return m_keyOutputValue; }
    QString KeyOutputUnit() const { return m_keyOutputUnit; }
    double Factor() const { return m_factor; }
    double KeyInputValue() const { return m_keyInputValue; }
    QString KeyInputUnit() const { return m_keyInputUnit; }

    // Controls by their ids, for the frame and tests.
    QWidget* Control(int id) const { return m_controls.Get(id); }
    CObjectGridWnd* Grid() const { return m_grid; }
    long RowOperation(int row) const { return m_rowIDs[row - 1]; }

    // Formats a size in kg as the statics show it: a whole number without decimals.
    static QString SizeText(double kg);

private:
    void BuildControls();
    QRadioButton* AddCode(int id, int code, const QString& text);
    bool ReadStepRow();
    bool FillKeyOutputName();
    void FillStatics();
    bool FillEquipmentCombos();
    void ResetInputs();
    bool SetUpGrid();
    bool LoadInvariantOperations();
    bool UpdateData(bool save);
    void ExchangeGrid();
    bool Checked();
    bool CheckKeyValue(int code, double value, const QString& unit);
    bool CheckGridRows();
    void StoreAndEnd();
    QHash<long, QString> VisibleOperations() const;

    long m_stepID;
    long m_processID;
    ScaleUpSizesKg m_sizes;
    bool m_initialised = false;
    int m_code = 1;
    bool m_undo = false;
    long m_equipment3 = -1;
    long m_equipment8 = -1;
    long m_uomSetID = -1;
    double m_keyOutputValue = 1e35;
    QString m_keyOutputUnit;
    double m_factor = 1e35;
    double m_keyInputValue = 1e35;
    QString m_keyInputUnit;
    long m_rowIDs[ROWS] = {};
    QString m_rowTexts[ROWS];

    QString m_stepName, m_versionName, m_keyOutputName;
    long m_keyOutputID = -1;
    bool m_stepRead = false;
    DialogControlIds m_controls;
    QHash<int, QRadioButton*> m_codeButtons; // by code
    CObjectGridWnd* m_grid = nullptr;
};
