#include "library/EquipmentUpdateInfo.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "foundation/common/concerns/FacilityExplorer.h"
#include "library/EquipPromptUserDlg.h"
#include "library/LibraryUpdateDialogs.h"
#include "library/MaterialUpdateInfo.h"
#include "library/SubItemResolver.h"
#include "library/UpdateItemCollector.h"
#include "modules/ravelstock/LibraryComponentError.h"

namespace {

class EquipmentSubItemAnswers : public SubItemAnswers {
public:
    EquipmentSubItemAnswers(IEquipmentProject& project, IEquipmentLibrary& library, int list, long handle)
        : m_project(project), m_library(library), m_list(list), m_handle(handle)
    {
    }
    bool NeedsNoCopy(long id, const QString&) override { return m_project.NeedsNoCopy(id); }
    ILibraryProjectObject& Project() override { return m_project; }
    bool Record(long serverID, long localID, const QString& name, bool newCopy) override
    {
        return m_library.RecordMapping(m_list, serverID, localID, name, newCopy);
    }
    ClashAnswer AskNameClash(const QString& name) override
    {
        CEquipPromptUserDlg dialog(name, m_handle, &m_project);
        RunNameClashDialog(dialog);
        return {dialog.m_cancelled != 0, dialog.m_useCurrent != 0, dialog.m_strNewName, dialog.m_forAllRemaining != 0};
    }
    bool RecordsFreeNames() const override { return false; }
    IdRange ExcludedIDs() const override { return {100001, 1000000}; }

private:
    IEquipmentProject& m_project;
    IEquipmentLibrary& m_library;
    int m_list;
    long m_handle;
};

} // namespace

CEquipmentUpdateInfo::CEquipmentUpdateInfo() : m_kindName(QStringLiteral("Equipment"))
{
    LibraryComponent* component = GetLibraryComponent();
    if (!component)
        return;
    try {
        const QString path = GetEquipmentDBPath();
        m_project = component->CreateEquipmentProject(path);
        m_library = component->CreateEquipmentLibrary(path);
        if (ILibraryObject* main = m_library ? m_library->QueryMain() : nullptr)
            main->GetState(); // asked once; ready or not, the calls answer for themselves
    } catch (const CLibraryComponentError&) {
        m_library.reset();
        m_project.reset();
    }
}

CEquipmentUpdateInfo::~CEquipmentUpdateInfo() = default;

int CEquipmentUpdateInfo::GetOutOfDateCount()
{
    if (!m_project)
        return 0;
    try {
        return int(m_project->CountChangedItems());
    } catch (const CLibraryComponentError&) {
        return 0;
    }
}

bool CEquipmentUpdateInfo::CollectUpdateItems(std::vector<UpdateItem*>& items)
{
    QString said;
    try {
        if (m_project)
            return Collect(items);
    } catch (const CLibraryComponentError& error) {
        said = error.Description();
    }
    ShowSynchronisationMessage(MissingComponentText(QStringLiteral("equipment"), said), MB_OK);
    return false;
}

bool CEquipmentUpdateInfo::Collect(std::vector<UpdateItem*>& items)
{
    ImportedItemLists lists;
    if (!m_project->ListImportedItems(lists) || lists.localIDs.isEmpty() || !ParallelListsAgree(lists))
        return false;
    IEquipmentLibrary* library = m_library.get();
    const LibraryLookup lookUp = [library](long serverID, const QString& location, LibraryItemInfo& info) {
        return library && library->LookUpLibraryItem(serverID, location, info);
    };
    CollectOutOfDateItems(lists, lookUp, this, items);
    return true;
}

bool CEquipmentUpdateInfo::ApplyUpdateItem(UpdateItem* item)
{
    if (!item || !m_project || !m_library)
        return false;
    try {
        return Apply(*item);
    } catch (const CLibraryComponentError&) {
        return false;
    }
}

bool CEquipmentUpdateInfo::Apply(const UpdateItem& item)
{
    ILibraryObject* main = m_library->QueryMain();
    if (!main || !main->OpenLibrary(item.serverLocation))
        return false;
    const long handle = m_project->ItemHandle(item.localID);
    if (handle == 0 || !ResolveSubItems(1, item.serverID, handle) || !ResolveSubItems(2, item.serverID, handle))
        return false;
    if (!m_library->CopyEquipment(handle, item.serverID, item.localID, item.localName))
        return false;
    SetProjectModified(true);
    RefreshFacilityTree();
    return true;
}

bool CEquipmentUpdateInfo::ResolveSubItems(int list, long serverID, long handle)
{
    SubItemLists lists;
    if (!m_library->ListSubItems(list, serverID, lists))
        return true;
    EquipmentSubItemAnswers answers(*m_project, *m_library, list, handle);
    return CSubItemResolver(answers).Resolve(lists) == ResolveOutcome::Resolved;
}
