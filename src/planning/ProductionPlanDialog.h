#pragma once
// "Production Plan" (dialog 255): edits one plan's name, start, output unit-of-measure set, its
// campaigns (one grid row each) and the equipment its campaigns use shared-exclusively. OK checks
// every row first and writes the header, the requirement rows and the equipment rows in one
// transaction; Cancel writes nothing. A load that ended early leaves OK disabled.

#include "planning/CampaignCatalog.h"
#include "foundation/db/step/StepEquipmentSet.h"
#include "planning/PlanGridRow.h"

#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <QList>

class CMyGXComboBox;
class CQVGridWnd;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CProductionPlanDialog : public QDialog {
    Q_OBJECT
public:
    CProductionPlanDialog(long planID, QWidget* parent = nullptr);
    ~CProductionPlanDialog() override;

    // Loads everything; false when the loading ended early.
    bool OnInitDialog();
    void OnOK();
    bool SavePlan();
    void OnExportPlan();
    void OnImportPlan();
    void OnSelChangeFacility();
    void OnCommandHelp();

    bool IsLoadComplete() const { return m_loadComplete; }
    CQVGridWnd* Grid() const { return m_grid; }
    const CCampaignCatalog& Campaigns() const { return m_campaigns; }
    const QList<long>& ChosenEquipment() const { return m_chosenEquipment; }
    const QList<CandidateEquipment>& Candidates() const { return m_candidates; }

private:
    void BuildControls();
    QWidget* BuildHeader();
    QWidget* BuildSharedEquipmentGroup();
    QWidget* BuildNotes();

    // Loading, in order.
    bool LoadPlanHeader();
    bool LoadUnitLists();
    void FillOutputSetCombo();
    void SetUpGrid();
    void LayOutGrid();
    void StyleBodyRows(int first, int last);
    bool LoadCampaignRows();
    bool LoadRequirementRow(const class CPlanRequirementsSet& requirement);
    void ShowCampaignRow(int row, int item);
    bool FinishEquipmentLoad();

    // A row follows its campaign: the unit choices and the product.
    void OnGridItemChanged(int row, int col);
    void ApplyCampaignToRow(int row, int item);
    void ApplyCampaignsToRows(int first, int last);
    PlanGridRow ReadGridRow(int row) const;

    // OK's checks.
    bool CheckHeader();
    bool CheckRows();

    // Saving.
    bool IsDuplicatePlanName(const QString& name);
    bool PlanRowsExist();
    bool WritePlan(class CDaoDatabase& project);
    QList<QVariantList> RequirementRows() const;
    void AfterCommit(const QString& oldName);

    // Shared-exclusive equipment.
    bool AddCampaignSteps(int item);
    bool ReadProcessSteps(long processID);
    bool CollectCampaignSteps();
    bool CollectCandidateEquipment();
    bool AddStepCandidateEquipment(long stepID, long facilityID);
    bool LoadSharedExclusiveEquipment();
    bool FillSharedFacilityCombo();
    void FillEquipmentList(long facilityID);
    void ReadEquipmentSelection();
    long SelectedFacilityID() const;
    void PruneChosenEquipment();

    const long m_planID;
    QString m_planName;
    QDateTime m_start; // invalid while the plan has none
    long m_outputUOMSetID = -1;
    bool m_initialized = false;
    bool m_loadComplete = false;
    bool m_equipmentComplete = false; // every campaign step's equipment was read
    bool m_loadingRows = false;

    CCampaignCatalog m_campaigns;
    PlanUnitLists m_units;
    QString m_quantityUnitList; // "\n"-separated choice lists as the cells get them
    QString m_timeUnitList;
    QString m_yesNoList;
    QString m_cleaningUnitList;
    int m_nextFreeRow = 1;
    int m_bodyRowHeight = 20;

    QList<long> m_campaignSteps;
    // What the dialog read once: the steps of each process, the equipment of each step.
    QHash<long, QList<long>> m_processSteps;
    QHash<long, QList<StepEquipmentRow>> m_stepEquipment;
    QHash<long, StepEquipmentRow> m_equipmentRows;
    QList<CandidateEquipment> m_candidates;
    QList<long> m_chosenEquipment;
    long m_selectedFacilityID = -1;

    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_startEdit = nullptr;
    QComboBox* m_outputSetCombo = nullptr;
    CQVGridWnd* m_grid = nullptr;
    CMyGXComboBox* m_campaignCombo = nullptr;
    QComboBox* m_facilityCombo = nullptr;
    QListWidget* m_equipmentList = nullptr;
    QPushButton* m_okButton = nullptr;
};
