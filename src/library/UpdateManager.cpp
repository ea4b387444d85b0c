#include "library/UpdateManager.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/WaitCursor.h"
#include "library/EquipmentUpdateInfo.h"
#include "library/LibraryUpdateDialogs.h"
#include "library/MaterialUpdateInfo.h"

#include <QStringList>

CUpdateManager::~CUpdateManager()
{
    for (auto it = m_containers.rbegin(); it != m_containers.rend(); ++it)
        delete *it;
}

void CUpdateManager::AddContainer(std::unique_ptr<IUpdateInfoContainer> container)
{
    m_containers.push_back(container.release());
}

void CUpdateManager::RegisterContainers()
{
    if (!m_containers.empty())
        return; // set up by the caller
    AddContainer(std::make_unique<MaterialUpdateInfo>());
    AddContainer(std::make_unique<CEquipmentUpdateInfo>());
}

void CUpdateManager::Run()
{
    RegisterContainers();
    if (!AskToSynchronise())
        return;
    std::vector<UpdateItem*> items;
    {
        WaitCursor wait;
        for (IUpdateInfoContainer* container : m_containers)
            container->CollectUpdateItems(items);
    }
    if (!items.empty())
        ApplyChosen(items, ChooseItems(items));
    for (UpdateItem* item : items)
        delete item;
}

// Asked only when some item is out of date; false when the user answers No.
bool CUpdateManager::AskToSynchronise()
{
    int count = 0;
    {
        WaitCursor wait;
        for (IUpdateInfoContainer* container : m_containers)
            count += container->GetOutOfDateCount();
    }
    if (count <= 0)
        return true;
    const QString question =
        QStringLiteral("Would you like to syncronize %1 imported component(s) with your database?").arg(count);
    return ShowSynchronisationMessage(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Every item, unless the list was shown: then the marks of its OK, or none.
std::vector<bool> CUpdateManager::ChooseItems(const std::vector<UpdateItem*>& items) const
{
    if (!m_bShowDialog)
        return std::vector<bool>(items.size(), true);
    return ChooseLibraryUpdates(QStringLiteral("Test"), items).value_or(std::vector<bool>(items.size(), false));
}

void CUpdateManager::ApplyChosen(const std::vector<UpdateItem*>& items, const std::vector<bool>& marks)
{
    QStringList failed;
    {
        WaitCursor wait;
        for (size_t i = 0; i < items.size(); ++i) {
            UpdateItem* item = items.at(i);
            if (marks.at(i) && item->owner && !item->owner->ApplyUpdateItem(item))
                failed << item->serverName;
        }
    }
    if (!failed.isEmpty())
        ShowSynchronisationMessage(
            QStringLiteral("The following imported component(s) could not be updated:\n") + failed.join(u'\n'),
            MB_OK | MB_ICONEXCLAMATION);
}
