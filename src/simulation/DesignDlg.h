#pragma once
// "Design": the design targets of a step (amount and time horizon with their units, the
// facility or the whole equipment catalogue, the vessel rule) beside the engine's batch results
// of its last run, and the equipment the design must leave as it is. OK checks the entries and
// saves the design targets in the step database in one transaction; a failed save keeps the
// dialog open and nothing runs.

#include "foundation/common/Array.h"
#include "foundation/db/step/DesignSpecsSet.h"

#include <QDialog>

class CFixEquipmentDlg;
class CNumericEdit;
class EngineEntry;
class QComboBox;
class QLabel;
class QRadioButton;

class CDesignDlg : public QDialog {
    Q_OBJECT
public:
    // The engine lists the equipment of the step's last run (none without one).
    CDesignDlg(long stepID, long processID, double currentBatchKg, double currentRateKgPerH,
               double maxBatchKg, EngineEntry* engine, QWidget* parent = nullptr);
    ~CDesignDlg() override;

    // Results read after OK.
    double amount = 1e35;
    QString amountUOM;
    double timeHorizon = 1e35;
    QString timeHorizonUOM;
    int vesselRule = 0;
    long facilityID = -1;
    QString facilityName;
    QString heuristic;
    Array<long> equipmentIDs;
    Array<QString> equipmentTags;
    Array<QString> equipmentClasses;
    Array<long> fixedFlags;

    void accept() override;
    void OnFixEquipment();
    bool OnCommandHelp();
    // Moves values between the members and the controls; false when an entry does not read.
    bool UpdateData(bool saveAndValidate);
    // The whole-number or two-decimal text of a batch value.
    static QString FormatBatchValue(double value);
    // The vessel rule's stored text.
    static QString HeuristicText(int rule);

protected:
    // Runs the Fix Equipment dialog; tests replace it.
    virtual int ExecFixEquipment(CFixEquipmentDlg& dialog);
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildEntries(class QGridLayout* layout);
    void BuildResults(class QGridLayout* layout);
    void ReadDesignTargets();
    void OnInitDialog();
    bool ShowStepNames();
    void ShowEngineValues();
    void FillUnitCombos();
    void FillFacilities();
    void ReadEquipment();
    void SortCombos();
    bool ReadNumber(CNumericEdit* edit, double* value);
    bool IsStorableIn(CNumericEdit* edit, double value, const QString& unit);
    bool CheckEntries();
    DesignTargets Entries() const;
    bool SaveDesignTargets();

    long m_stepID;
    long m_processID;
    double m_currentBatchKg;
    double m_currentRateKgPerH;
    double m_maxBatchKg;
    EngineEntry* m_engine;
    bool m_initialized = false;
    CDesignSpecsSet m_specs;

    CNumericEdit* m_amountEdit = nullptr;
    CNumericEdit* m_horizonEdit = nullptr;
    QComboBox* m_amountUnitCombo = nullptr;
    QComboBox* m_horizonUnitCombo = nullptr;
    QComboBox* m_facilityCombo = nullptr;
    QRadioButton* m_ruleRadios[3] = {};
    QLabel* m_statics[6] = {}; // 1172..1177
};
