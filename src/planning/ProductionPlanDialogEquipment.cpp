// The production plan dialog's shared-exclusive equipment: the batch equipment of the steps the
// campaigns run, offered per facility, and the plan's chosen items.

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/FrameServices.h"
#include "foundation/controls/QVGridWnd.h"
#include "foundation/controls/SortedChoiceLists.h"
#include "foundation/db/equipment/PlantToProjectSet.h"
#include "foundation/db/project/SharedExclusiveEquipmentSet.h"
#include "foundation/db/project/StepToProcessSet.h"
#include "foundation/db/step/StepSet.h"
#include "planning/ProductionPlanDialog.h"

#include <QComboBox>
#include <algorithm>
#include <QListWidget>

namespace {
constexpr long NEVER_SHARED_CLASSES[] = {12, 38, 180};
constexpr long START_STEP_ID = 1;

bool IsOfferedEquipment(const StepEquipmentRow& row)
{
    if (row.EquipmentType.compare(QLatin1String("Batch"), Qt::CaseInsensitive) != 0)
        return false;
    for (long excluded : NEVER_SHARED_CLASSES) {
        if (row.EquipmentClassID == excluded)
            return false;
    }
    return true;
}
} // namespace

// The steps of a campaign join the list once each; false when a process's steps cannot be read.
bool CProductionPlanDialog::AddCampaignSteps(int item)
{
    const CampaignItem& campaign = m_campaigns.At(item);
    if (campaign.IsStep()) {
        if (!m_campaignSteps.contains(campaign.id))
            m_campaignSteps.append(campaign.id);
        return true;
    }
    if (!m_processSteps.contains(campaign.id) && !ReadProcessSteps(campaign.id))
        return false;
    for (long stepID : m_processSteps.value(campaign.id)) {
        if (!m_campaignSteps.contains(stepID))
            m_campaignSteps.append(stepID);
    }
    return true;
}

// The process's steps without START, kept for the dialog's lifetime.
bool CProductionPlanDialog::ReadProcessSteps(long processID)
{
    CStepToProcessSet steps;
    if (!steps.OpenSet(processID))
        return false;
    QList<long>& ids = m_processSteps[processID];
    for (steps.MoveFirst(); !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        const bool start = stepID == START_STEP_ID &&
                           steps.GetText(QStringLiteral("StepName")).compare(QLatin1String("START"), Qt::CaseInsensitive) == 0;
        if (!start)
            ids.append(stepID);
    }
    return true;
}

// The campaign steps of the grid as it stands, then their candidates.
bool CProductionPlanDialog::CollectCampaignSteps()
{
    m_campaignSteps.clear();
    m_candidates.clear();
    m_equipmentComplete = false;
    const PlanGridRowCheck check(m_campaigns, m_units);
    for (int row = 1; row <= m_grid->GetRowCount(); ++row) {
        const int item = check.CountedCampaignOf(ReadGridRow(row));
        if (item >= 0 && !AddCampaignSteps(item))
            return false;
    }
    return CollectCandidateEquipment();
}

// True when every campaign step's equipment was read.
bool CProductionPlanDialog::CollectCandidateEquipment()
{
    m_candidates.clear();
    bool complete = true;
    for (long stepID : std::as_const(m_campaignSteps)) {
        const int item = m_campaigns.Find(QStringLiteral("step"), stepID);
        long plantID = item >= 0 ? m_campaigns.At(item).plantID : -1;
        if (item < 0) {
            CStepSet step;
            step.SetErrorMode(DaoErrorMode::Quiet);
            if (!step.OpenSet(stepID)) {
                QvMessageBox(QStringLiteral("Cannot open Step Database!"));
                complete = false;
                continue;
            }
            if (step.GetRecordCount() == 0) {
                QvMessageBox(QStringLiteral("Step Database of  () is empty. Please check this Step."));
                complete = false;
                continue;
            }
            plantID = step.IsFieldNull(QStringLiteral("PlantID")) ? -1 : step.GetLong(QStringLiteral("PlantID"));
        }
        if (plantID != -1 && !AddStepCandidateEquipment(stepID, plantID))
            complete = false;
    }
    m_equipmentComplete = complete;
    return complete;
}

bool CProductionPlanDialog::AddStepCandidateEquipment(long stepID, long facilityID)
{
    if (!m_stepEquipment.contains(stepID)) {
        CStepEquipmentSet equipment;
        if (!equipment.OpenSet(stepID, &m_equipmentRows)) {
            QvMessageBox(QStringLiteral("Cannot open Step Equipment Database!"));
            return false;
        }
        m_stepEquipment.insert(stepID, equipment.Rows());
    }
    for (const StepEquipmentRow& row : m_stepEquipment.value(stepID)) {
        const bool known = std::any_of(m_candidates.begin(), m_candidates.end(), [&row](const CandidateEquipment& c) {
            return c.equipmentID == row.EquipmentID;
        });
        if (!known && IsOfferedEquipment(row))
            m_candidates.append({facilityID, row.EquipmentID, row.QVTag});
    }
    return true;
}

bool CProductionPlanDialog::LoadSharedExclusiveEquipment()
{
    CSharedExclusiveEquipmentSet shared;
    shared.SetErrorMode(DaoErrorMode::Quiet);
    if (!shared.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open Shared Exclusive Equipment Database!"));
        return false;
    }
    m_chosenEquipment.clear();
    for (shared.MoveFirst(); !shared.IsEOF(); shared.MoveNext()) {
        if (shared.GetLong(QStringLiteral("PlanID")) == m_planID)
            m_chosenEquipment.append(shared.GetLong(QStringLiteral("EquipmentID")));
    }
    return true;
}

// The facilities that own a candidate, after an empty entry; the selected facility stays selected.
bool CProductionPlanDialog::FillSharedFacilityCombo()
{
    CPlantToProjectSet plants;
    plants.SetErrorMode(DaoErrorMode::Quiet);
    if (!plants.OpenSet()) {
        QvMessageBox(QStringLiteral("Can't open facility table in database!"));
        return false;
    }
    m_facilityCombo->clear();
    m_facilityCombo->addItem(QString(), qlonglong(-1));
    for (plants.MoveFirst(); !plants.IsEOF(); plants.MoveNext()) {
        const long plantID = plants.GetLong(QStringLiteral("PlantID"));
        const bool owns = std::any_of(m_candidates.begin(), m_candidates.end(),
                                      [plantID](const CandidateEquipment& c) { return c.facilityID == plantID; });
        if (!owns || m_facilityCombo->findData(qlonglong(plantID)) >= 0)
            continue;
        m_facilityCombo->addItem(plants.GetText(QStringLiteral("PlantName")), qlonglong(plantID));
    }
    m_facilityCombo->setCurrentIndex(m_facilityCombo->findData(qlonglong(m_selectedFacilityID)));
    if (m_selectedFacilityID == -1)
        m_facilityCombo->setCurrentIndex(-1);
    return true;
}

void CProductionPlanDialog::FillEquipmentList(long facilityID)
{
    m_equipmentList->clear();
    for (const CandidateEquipment& candidate : std::as_const(m_candidates)) {
        if (candidate.facilityID != facilityID)
            continue;
        auto* entry = new QListWidgetItem(candidate.tag, m_equipmentList);
        entry->setData(Qt::UserRole, qlonglong(candidate.equipmentID));
        entry->setSelected(m_chosenEquipment.contains(candidate.equipmentID));
    }
}

// The list's choices by each entry's id; chosen items of other facilities stay chosen.
void CProductionPlanDialog::ReadEquipmentSelection()
{
    for (int i = 0; i < m_equipmentList->count(); ++i) {
        const QListWidgetItem* entry = m_equipmentList->item(i);
        const long id = long(entry->data(Qt::UserRole).toLongLong());
        if (entry->isSelected() && !m_chosenEquipment.contains(id))
            m_chosenEquipment.append(id);
        else if (!entry->isSelected())
            m_chosenEquipment.removeAll(id);
    }
}

long CProductionPlanDialog::SelectedFacilityID() const
{
    return m_facilityCombo->currentIndex() < 0 ? -1 : long(m_facilityCombo->currentData().toLongLong());
}

// Chosen items that no campaign uses any more go, but only when every step's equipment was read.
void CProductionPlanDialog::PruneChosenEquipment()
{
    if (!m_equipmentComplete)
        return;
    m_chosenEquipment.removeIf([this](long id) {
        return std::none_of(m_candidates.begin(), m_candidates.end(),
                            [id](const CandidateEquipment& c) { return c.equipmentID == id; });
    });
}

void CProductionPlanDialog::OnSelChangeFacility()
{
    const int chosen = m_facilityCombo->currentIndex();
    const long facilityID = chosen < 0 ? -1 : long(m_facilityCombo->itemData(chosen).toLongLong());
    ReadEquipmentSelection();
    CollectCampaignSteps();
    m_selectedFacilityID = facilityID;
    FillSharedFacilityCombo();
    m_selectedFacilityID = SelectedFacilityID();
    FillEquipmentList(m_selectedFacilityID);
    ReadEquipmentSelection();
}

// The end of the load: candidates of the loaded rows, the stored choices, the first facility.
bool CProductionPlanDialog::FinishEquipmentLoad()
{
    CollectCandidateEquipment();
    const bool loaded = LoadSharedExclusiveEquipment();
    if (loaded && FillSharedFacilityCombo()) {
        for (int i = 0; i < m_facilityCombo->count(); ++i) {
            if (!m_facilityCombo->itemText(i).isEmpty()) {
                m_facilityCombo->setCurrentIndex(i);
                break;
            }
        }
        m_selectedFacilityID = SelectedFacilityID();
        FillEquipmentList(m_selectedFacilityID);
    }
    SortComboBox(m_facilityCombo);
    SortComboBox(m_outputSetCombo);
    if (SortServices* sort = GetSortServices())
        sort->SortListBoxItems(m_equipmentList);
    return loaded;
}
