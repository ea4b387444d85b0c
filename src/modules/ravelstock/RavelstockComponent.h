#pragma once
// Stand-in of the library component. A library is one of our material or equipment databases,
// named by its location (a relative one lies in the project folder) and read only; the project's
// working copies are written. Each kind's objects share one session; the library files a run
// opened stay open until the run ends, and one that cannot be opened or read (locked, damaged)
// raises the component's error, with its reason, until then.

#include "modules/ravelstock/LibraryComponent.h"
#include "modules/ravelstock/LibrarySession.h"

#include <map>
#include <memory>

class CLibraryFile;

class CRavelstockComponent : public LibraryComponent {
public:
    CRavelstockComponent();
    ~CRavelstockComponent() override;

    std::unique_ptr<IMaterialProject> CreateMaterialProject() override;
    std::unique_ptr<IMaterialLibrary> CreateMaterialLibrary() override;
    std::unique_ptr<IEquipmentProject> CreateEquipmentProject(const QString& projectDatabase) override;
    std::unique_ptr<IEquipmentLibrary> CreateEquipmentLibrary(const QString& projectDatabase) override;
    void EndRun() override;

    // The library at the location, opened on first use; null when it is missing or no library of
    // the kind. One that cannot be opened or read raises CLibraryComponentError, on every call
    // until the run ends.
    CLibraryFile* Library(const LibraryKindTables& tables, const QString& location);
    static QString LibraryPath(const QString& location);

private:
    CLibrarySession m_materials;
    CLibrarySession m_equipment;
    struct OpenedLibrary {
        std::unique_ptr<CLibraryFile> file; // null: missing or no library of the kind
        QString error;                      // why it cannot be read; empty when it can
    };
    static OpenedLibrary OpenLibrary(const LibraryKindTables& tables, const QString& path);

    std::map<QString, OpenedLibrary> m_libraries; // by kind and path
};
