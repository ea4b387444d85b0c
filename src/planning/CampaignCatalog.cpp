#include "planning/CampaignCatalog.h"

#include "foundation/common/MessageBox.h"
#include "foundation/db/project/ProcessSet.h"
#include "foundation/db/project/ProcessToProjectSet.h"
#include "foundation/db/project/QueryStepInProjectSet.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "simulation/PlanMaterialLookup.h"

#include <QSet>
#include <QSqlQuery>

namespace {
const QString CAMPAIGN_STEP_TABLE_EMPTY = QStringLiteral("Step table is empty! Please Simulate the Step first.");

const QString STEP_ROW_SQL = QStringLiteral(
    "SELECT StepName, StepVersionName, KeyOutputIntermediateID, CleaningFlag, PlantID FROM Step WHERE StepID = ?");

enum class StepRead { NotOpen, Empty, Read };

// The step's own row in its step database.
StepRead ReadStepCampaign(long stepID, CampaignItem* item)
{
    CDaoDatabase* database = GetStepDatabase(stepID);
    if (!database || !database->IsOpen())
        return StepRead::NotOpen;
    try {
        QSqlQuery row = database->Query(STEP_ROW_SQL, {qlonglong(stepID)});
        if (!row.next())
            return StepRead::Empty;
        item->id = stepID;
        item->name = row.value(0).toString();
        item->version = row.value(1).toString();
        item->kind = QStringLiteral("step");
        item->productMaterialID = row.value(2).isNull() ? -1 : long(row.value(2).toLongLong());
        item->cleaning = row.value(3).toLongLong() != 0;
        item->plantID = row.value(4).isNull() ? -1 : long(row.value(4).toLongLong());
        return StepRead::Read;
    } catch (const CDaoException&) {
        return StepRead::NotOpen;
    }
}
} // namespace

CCampaignCatalog::LoadResult CCampaignCatalog::Load()
{
    m_items.clear();
    m_entryTexts.clear();
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
        Append(item);
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
        CampaignItem item;
        const StepRead read = ReadStepCampaign(stepID, &item);
        if (read == StepRead::NotOpen)
            return Failed;
        if (read == StepRead::Empty) {
            QvMessageBox(CAMPAIGN_STEP_TABLE_EMPTY);
            return Failed;
        }
        item.productName = MaterialName(item.productMaterialID);
        Append(item);
    }
    return Loaded;
}

void CCampaignCatalog::Append(const CampaignItem& item)
{
    m_items.append(item);
    m_entryTexts.append(item.EntryText());
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
        const QString& entry = m_entryTexts.at(i);
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
    if (storedIndex >= 0 && storedIndex < m_items.size() && m_entryTexts.at(int(storedIndex)) == text)
        return int(storedIndex);
    if (text.isEmpty())
        return -1;
    const int exact = UniqueMatch(text, false);
    if (exact != -1)
        return qMax(exact, -1);
    return qMax(UniqueMatch(text, true), -1);
}
