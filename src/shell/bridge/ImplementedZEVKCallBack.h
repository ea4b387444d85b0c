#pragma once
// The callback object the managed side calls back into the program with: library files inside a
// compound project file, and user-to-internal unit conversion.

#include <QString>

// The application's look-up of a material or equipment library inside a compound file, installed
// in its slot by whoever builds compound files.
class QvzFileLookup {
public:
    virtual ~QvzFileLookup() = default;
    // kind, folder, name -> found, path of the extracted file.
    virtual bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                                       QString& out) = 0;
};

class ImplementedZEVKCallBack {
public:
    // False (and out untouched) while no look-up is installed.
    bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                               QString& out) const;
    double ConversionUserToInternal(const QString& unit, double value, double molecularWeight,
                                    double density) const;
};
