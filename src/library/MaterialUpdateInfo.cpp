#include "library/MaterialUpdateInfo.h"

#include "foundation/common/MessageBox.h"
#include "foundation/common/concerns/AppContext.h"
#include "library/LibraryUpdateDialogs.h"
#include "library/PromptUserDlg.h"
#include "library/SubItemResolver.h"
#include "library/UpdateItemCollector.h"
#include "modules/ravelstock/LibraryComponentError.h"

namespace {

// No component to ask: the kind's message alone says so.
class ComponentNotInstalled : public CLibraryComponentError {
public:
    ComponentNotInstalled()
        : CLibraryComponentError(QStringLiteral("The library component is not installed."))
    {
    }
};

// The material objects, or the component's error when it cannot make them.
template <typename Object> std::unique_ptr<Object> MadeMaterialObject(std::unique_ptr<Object> object)
{
    if (!object)
        throw ComponentNotInstalled();
    return object;
}

LibraryComponent& InstalledLibraryComponent()
{
    LibraryComponent* component = GetLibraryComponent();
    if (!component)
        throw ComponentNotInstalled();
    return *component;
}

class MaterialSubItemAnswers : public SubItemAnswers {
public:
    explicit MaterialSubItemAnswers(IMaterialProject& project) : m_project(project) {}
    bool NeedsNoCopy(long, const QString& name) override { return m_project.NeedsNoCopy(name); }
    ILibraryProjectObject& Project() override { return m_project; }
    bool Record(long serverID, long localID, const QString& name, bool newCopy) override
    {
        return m_project.RecordMapping(serverID, localID, name, newCopy);
    }
    ClashAnswer AskNameClash(const QString& name) override
    {
        CPromptUserDlg dialog(1, name, &m_project);
        RunNameClashDialog(dialog);
        return {dialog.m_cancelled != 0, dialog.m_useCurrent != 0, dialog.m_strNewName, dialog.m_forAllRemaining != 0};
    }
    bool RecordsFreeNames() const override { return true; }
    IdRange ExcludedIDs() const override { return {10000, 39999}; }

private:
    IMaterialProject& m_project;
};

} // namespace

QString MissingComponentText(const QString& kind, const QString& description)
{
    const QString text =
        QStringLiteral(
            "A component needed to check for updates in remote %1 databases is missing.  To reregister "
            "the component please contact your support represenative or perform the following command "
            "from a command prompt while in the Tamro Plenthover bin directory :\n  "
            "C:\\WINDOWS\\Microsoft.NET\\Framework\\v4.0.30319\\regasm.exe Ravelstock.dll  /register")
            .arg(kind);
    return description.isEmpty() ? text : text + QLatin1Char('\n') + description;
}

int MaterialUpdateInfo::GetOutOfDateCount()
{
    try {
        std::unique_ptr<IMaterialProject> project = MadeMaterialObject(InstalledLibraryComponent().CreateMaterialProject());
        if (!project->SetProjectDatabase(GetMaterialsDBPath()))
            return 0;
        return int(project->CountChangedItems());
    } catch (const CLibraryComponentError&) {
        return 0;
    }
}

bool MaterialUpdateInfo::CollectUpdateItems(std::vector<UpdateItem*>& items)
{
    QString said;
    try {
        return Collect(items);
    } catch (const ComponentNotInstalled&) {
    } catch (const CLibraryComponentError& error) {
        said = error.Description();
    }
    ShowSynchronisationMessage(MissingComponentText(QStringLiteral("material"), said), MB_OK);
    return false;
}

// Each look-up asks an object of its own.
bool MaterialUpdateInfo::Collect(std::vector<UpdateItem*>& items)
{
    std::unique_ptr<IMaterialProject> project = MadeMaterialObject(InstalledLibraryComponent().CreateMaterialProject());
    ImportedItemLists lists;
    if (!project->SetProjectDatabase(GetMaterialsDBPath()) || !project->ListImportedItems(lists) ||
        lists.localIDs.isEmpty() || !ParallelListsAgree(lists))
        return false;
    const LibraryLookup lookUp = [](long serverID, const QString& location, LibraryItemInfo& info) {
        return MadeMaterialObject(InstalledLibraryComponent().CreateMaterialProject())->LookUpLibraryItem(serverID, location, info);
    };
    CollectOutOfDateItems(lists, lookUp, this, items);
    return true;
}

bool MaterialUpdateInfo::ApplyUpdateItem(UpdateItem* item)
{
    if (!item)
        return false;
    try {
        return Apply(*item);
    } catch (const CLibraryComponentError&) {
        return false;
    }
}

bool MaterialUpdateInfo::Apply(const UpdateItem& item)
{
    std::unique_ptr<IMaterialLibrary> library = MadeMaterialObject(InstalledLibraryComponent().CreateMaterialLibrary());
    std::unique_ptr<IMaterialProject> project = MadeMaterialObject(InstalledLibraryComponent().CreateMaterialProject());
    const QString path = GetMaterialsDBPath();
    if (library->GetState() != 1 || !library->OpenLibrary(item.serverLocation) ||
        !library->SetProjectDatabase(path) || !project->SetProjectDatabase(path))
        return false;
    IMaterialSubItems* subItems = library->QuerySubItems();
    SubItemLists lists;
    if (!subItems)
        return false;
    MaterialSubItemAnswers answers(*project);
    if (subItems->ListSubItems(item.serverID, lists) &&
        CSubItemResolver(answers).Resolve(lists) != ResolveOutcome::Resolved)
        return false;
    if (!library->CopyItem(item.serverID, item.localID, item.localName))
        return false;
    SetProjectModified(true);
    return true;
}
