#pragma once
// The sample project shipped as Samples/LibraryDemo: the Demo with materials and equipment
// imported from the material and equipment libraries in its Libraries/ folder. Three imports are
// out of date: Methanol; the mixture "Wash Solvent", whose component "Water" clashes with the
// project's Water (and "Water (2)" is taken too); and R-101, whose class "Reactor" clashes with
// the project's class of that name. Toluene is current.

#include <QString>

class CLibraryDemo {
public:
    static constexpr double LIBRARY_STAMP = 46100.5;     // the libraries' items changed then
    static constexpr double OLD_IMPORT_STAMP = 46000.25; // the out-of-date imports were copied then
    static constexpr long WASH_SOLVENT = 20;
    static constexpr long WATER_2 = 21;
    static constexpr long LIBRARY_WATER = 504;   // the mixture component that clashes
    static constexpr long LIBRARY_ACETONE = 505; // the one brought as a new copy
    static constexpr long LIBRARY_REACTOR_CLASS = 7;

    // Writes <folder>/LibraryDemo.* and <folder>/Libraries/; never overwrites.
    bool Write(const QString& folder);
    const QString& ErrorText() const { return m_errorText; }

    static QString MaterialLibraryLocation() { return QStringLiteral("Libraries/Materials.mtl"); }
    static QString EquipmentLibraryLocation() { return QStringLiteral("Libraries/Equipment.eqm"); }

private:
    bool WriteMaterialLibrary(const QString& path);
    bool WriteEquipmentLibrary(const QString& path);
    bool AddImports(const QString& folder);

    QString m_errorText;
};
