#include "planning/CampaignCatalog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/db/step/StepSet.h"
#include "planning/PlanMaterialLookup.h"

#include <QSet>

namespace {
const QString STEP_TABLE_EMPTY = QStringLiteral("Step table is empty! Please Simulate the Step first.");

CampaignItem StepCampaign(const CStepSet& step, long stepID)
{
    CampaignItem item;
    item.id = stepID;
    item.name = step.GetText(QStringLiteral("StepName"));
    item.version = step.GetText(QStringLiteral("StepVersionName"));
    item.kind = QStringLiteral("step");
    item.productMaterialID = step.GetLong(QStringLiteral("KeyOutputIntermediateID"));
    item.cleaning = step.GetBool(QStringLiteral("CleaningFlag"));
    item.plantID = step.IsFieldNull(QStringLiteral("PlantID")) ? -1 : step.GetLong(QStringLiteral("PlantID"));
    return item;
}
} // namespace

CCampaignCatalog::LoadResult CCampaignCatalog::Load()
{
    m_items.clear();
    if (!LoadProcesses())
        return Failed;
    return LoadSteps();
}

QString CCampaignCatalog::MaterialName(long materialID) const
{
    QString name;
    if (LookUpMaterialName(materialID, &name) != MaterialLookup::Found)
        name.clear();
    return name;
}

// Every process linked to the project, with its row of [Process].
bool CCampaignCatalog::LoadProcesses()
{
    CProcessToProjectSet links;
    CProcessSet processes;
    links.SetErrorMode(DaoErrorMode::Quiet);
    processes.SetErrorMode(DaoErrorMode::Quiet);
    if (!links.OpenSet(QString()) || !processes.OpenSet())
        return false;
    for (links.MoveFirst(); !links.IsEOF(); links.MoveNext()) {
        const long processID = links.GetLong(QStringLiteral("ProcessID"));
        const bool found = processes.FindFirst([processID](const CDaoRecordset& row) {
            return row.GetLong(QStringLiteral("ProcessID")) == processID;
        });
        if (!found || Find(QStringLiteral("process"), processID) >= 0)
            continue;
        CampaignItem item;
        item.id = processID;
        item.name = processes.GetText(QStringLiteral("ProcessName"));
        item.version = processes.GetText(QStringLiteral("ProcessVersionName"));
        item.kind = QStringLiteral("process");
        item.productMaterialID = processes.GetLong(QStringLiteral("FinalProductMaterialID"));
        item.productName = MaterialName(item.productMaterialID);
        m_items.append(item);
    }
    return true;
}

// Every step of the project once, from its own step database.
CCampaignCatalog::LoadResult CCampaignCatalog::LoadSteps()
{
    CQueryStepInProjectSet steps;
    steps.SetErrorMode(DaoErrorMode::Quiet);
    if (!steps.OpenSet(QString()))
        return Failed;
    QSet<long> seen;
    for (steps.MoveFirst(); !steps.IsEOF(); steps.MoveNext()) {
        const long stepID = steps.GetLong(QStringLiteral("StepID"));
        if (seen.contains(stepID))
            continue;
        seen.insert(stepID);
        CStepSet step;
        step.SetErrorMode(DaoErrorMode::Quiet);
        if (!step.OpenSet(stepID))
            return Failed;
        if (step.GetRecordCount() == 0) {
            QvMessageBox(STEP_TABLE_EMPTY);
            return Failed;
        }
        CampaignItem item = StepCampaign(step, stepID);
        item.productName = MaterialName(item.productMaterialID);
        m_items.append(item);
    }
    return Loaded;
}

int CCampaignCatalog::Find(const QString& kind, long id) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).id == id && m_items.at(i).kind.compare(kind, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int CCampaignCatalog::UniqueMatch(const QString& text, bool prefix) const
{
    int found = -1;
    for (int i = 0; i < m_items.size(); ++i) {
        const QString entry = m_items.at(i).EntryText();
        const bool fits = prefix ? entry.startsWith(text, Qt::CaseInsensitive)
                                 : entry.compare(text, Qt::CaseInsensitive) == 0;
        if (!fits)
            continue;
        if (found >= 0)
            return -2; // more than one
        found = i;
    }
    return found;
}

int CCampaignCatalog::Resolve(const QString& text, qint64 storedIndex) const
{
    if (storedIndex >= 0 && storedIndex < m_items.size() && m_items.at(int(storedIndex)).EntryText() == text)
        return int(storedIndex);
    if (text.isEmpty())
        return -1;
    const int exact = UniqueMatch(text, false);
    if (exact != -1)
        return qMax(exact, -1);
    return qMax(UniqueMatch(text, true), -1);
}
