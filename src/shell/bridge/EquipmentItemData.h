#pragma once
// What the equipment editor shows and edits of one item of the equipment library, and the lists
// its choices come from.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

struct EquipmentItemData {
    QString tag;
    QString description;
    QString className;                      // an existing class, or a new one the editor adds
    QString type = QStringLiteral("Batch"); // "Batch" or "Continuous"
    double capacity = 1e35;                 // 1e35: not given
    QString capacityUOM;
    double minimumVolume = 1e35;
    QString minimumVolumeUOM;
    QString material; // of construction
    int numberOfUnits = 1;
    bool pool = false;
    long factoryID = -1; // -1: none
    long buildingID = -1;
    long areaID = -1;

    bool operator==(const EquipmentItemData&) const = default;
};

using EquipmentLookupList = QList<QPair<long, QString>>; // id, name

struct EquipmentEditorChoices {
    QString title;
    QString facilityName;
    QStringList classes;
    QStringList volumeUnits; // the unit library's volume units
    EquipmentLookupList factories;
    EquipmentLookupList buildings;
    EquipmentLookupList areas;
};
