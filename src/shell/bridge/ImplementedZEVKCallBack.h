#pragma once
// The callback object the managed side calls back into the program with: library files inside a
// compound project file, and user-to-internal unit conversion.

#include <QString>

#include <functional>

class ImplementedZEVKCallBack {
public:
    // kind, folder, name -> found, path of the extracted file.
    using QvzFileLookup = std::function<bool(int kind, const QString& folder, const QString& name, QString& out)>;

    // The application's look-up of a material or equipment library inside a compound file.
    static void SetQvzFileLookup(QvzFileLookup lookup);

    // False (and out untouched) while no look-up is installed.
    bool GetMaterialOrEquipmentFileFromQvzFile(int kind, const QString& folder, const QString& name,
                                               QString& out) const;
    double ConversionUserToInternal(const QString& unit, double value, double molecularWeight,
                                    double density) const;
};
