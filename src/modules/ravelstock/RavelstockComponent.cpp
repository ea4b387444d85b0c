#include "modules/ravelstock/RavelstockComponent.h"

#include "foundation/common/ServiceSlot.h"
#include "foundation/common/concerns/AppContext.h"
#include "modules/ravelstock/EquipmentLibraryObject.h"
#include "modules/ravelstock/EquipmentProjectObject.h"
#include "modules/ravelstock/LibraryComponentError.h"
#include "modules/ravelstock/LibraryFile.h"
#include "modules/ravelstock/MaterialLibraryObject.h"
#include "modules/ravelstock/MaterialProjectObject.h"

#include <QDir>

LibraryComponent* GetLibraryComponent()
{
    return ServiceSlot<LibraryComponent>::Get();
}

LibraryComponent* SetLibraryComponent(LibraryComponent* component)
{
    return ServiceSlot<LibraryComponent>::Set(component);
}

CRavelstockComponent::CRavelstockComponent() : m_materials(MaterialTables()), m_equipment(EquipmentTables()) {}

CRavelstockComponent::~CRavelstockComponent() = default;

std::unique_ptr<IMaterialProject> CRavelstockComponent::CreateMaterialProject()
{
    return std::make_unique<CMaterialProjectObject>(*this, m_materials);
}

std::unique_ptr<IMaterialLibrary> CRavelstockComponent::CreateMaterialLibrary()
{
    return std::make_unique<CMaterialLibraryObject>(*this, m_materials);
}

std::unique_ptr<IEquipmentProject> CRavelstockComponent::CreateEquipmentProject(const QString& projectDatabase)
{
    auto object = std::make_unique<CEquipmentProjectObject>(*this, m_equipment);
    object->SetProjectDatabase(projectDatabase);
    return object;
}

std::unique_ptr<IEquipmentLibrary> CRavelstockComponent::CreateEquipmentLibrary(const QString& projectDatabase)
{
    auto object = std::make_unique<CEquipmentLibraryObject>(*this, m_equipment);
    object->QueryMain()->SetProjectDatabase(projectDatabase);
    return object;
}

void CRavelstockComponent::EndRun()
{
    m_materials.Forget();
    m_equipment.Forget();
    m_libraries.clear();
}

QString CRavelstockComponent::LibraryPath(const QString& location)
{
    if (location.isEmpty())
        return QString();
    return QDir::cleanPath(QDir(GetProjectDir()).absoluteFilePath(location));
}

CRavelstockComponent::OpenedLibrary CRavelstockComponent::OpenLibrary(const LibraryKindTables& tables,
                                                                      const QString& path)
{
    OpenedLibrary opened;
    auto library = std::make_unique<CLibraryFile>(tables);
    try {
        if (library->Open(path))
            opened.file = std::move(library);
    } catch (const CLibraryComponentError& error) {
        opened.error = error.Description();
    }
    return opened;
}

CLibraryFile* CRavelstockComponent::Library(const LibraryKindTables& tables, const QString& location)
{
    const QString path = LibraryPath(location);
    if (path.isEmpty())
        return nullptr;
    const QString key = DatabaseKindName(tables.kind) + QLatin1Char('|') + path;
    auto found = m_libraries.find(key);
    if (found == m_libraries.end())
        found = m_libraries.emplace(key, OpenLibrary(tables, path)).first;
    if (!found->second.error.isEmpty())
        throw CLibraryComponentError(found->second.error);
    return found->second.file.get();
}
