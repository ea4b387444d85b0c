// Filling the Facility Explorer: one pass over the tree query, the equipment texts from one read
// of the two properties, then the facilities without equipment. Siblings follow the user
// interface's collation.

#include "library/FacilityTree.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/equipment/FacilityTreeSet.h"
#include "foundation/db/equipment/PlantProjectSet.h"
#include "library/FacilityTreeIcons.h"

#include <QCollator>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr double UNSET_NUMBER = 1e35;

struct EquipmentDetails {
    bool hasCapacity = false;
    double capacity = 0.0;
    QString unit;
    QString material;
};

// "Capacity" (double value and unit) and "Material OF Construction" (text) of every item; the
// first row of each counts, a Null or unset number is missing.
QHash<long, EquipmentDetails> ReadEquipmentDetails(CDaoDatabase& database)
{
    QHash<long, EquipmentDetails> details;
    QSet<qlonglong> seen; // id * 2, + 1 for the material
    QSqlQuery rows = database.Query(QStringLiteral(
        "SELECT ActualEquipmentID, PropertyName, DoubleValue, ValueUOM, TextValue FROM ActualEquipmentProperty "
        "WHERE PropertyName IN ('Capacity', 'Material OF Construction') ORDER BY RowKey"));
    while (rows.next()) {
        const long id = long(rows.value(0).toLongLong());
        const bool capacity = rows.value(1).toString().compare(QLatin1String("Capacity"), Qt::CaseInsensitive) == 0;
        const qlonglong key = qlonglong(id) * 2 + (capacity ? 0 : 1);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        EquipmentDetails& item = details[id];
        if (capacity && !rows.value(2).isNull() && rows.value(2).toDouble() != UNSET_NUMBER) {
            item.hasCapacity = true;
            item.capacity = rows.value(2).toDouble();
            item.unit = rows.value(3).toString();
        } else if (!capacity) {
            item.material = rows.value(4).toString();
        }
    }
    return details;
}

QString EquipmentText(const QString& tag, const EquipmentDetails& item)
{
    QString details;
    if (item.hasCapacity)
        details = QString::asprintf("%.2f", item.capacity) + QLatin1Char(' ') + item.unit;
    if (!item.material.isEmpty())
        details += (details.isEmpty() ? QString() : QStringLiteral("; ")) + item.material;
    return details.isEmpty() ? tag : tag + QStringLiteral(" (") + details + QLatin1Char(')');
}

void SortChildren(QTreeWidgetItem* parent, const QCollator& collator)
{
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [&collator](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return collator.compare(a->text(0), b->text(0)) < 0;
    });
    for (QTreeWidgetItem* child : children)
        SortChildren(child, collator);
    parent->addChildren(children);
}

} // namespace

bool CFacilityTree::FillTree()
{
    CFacilityTreeSet rows;
    if (!rows.OpenSet())
        return false;
    m_tree->setUpdatesEnabled(false);
    const QHash<long, EquipmentDetails> details = ReadEquipmentDetails(*rows.GetDatabase());
    QTreeWidgetItem root;
    QSet<long> shownFacilities;
    QTreeWidgetItem* facility = nullptr;
    QTreeWidgetItem* equipmentClass = nullptr;
    QTreeWidgetItem* lastFacility = nullptr;
    long previousPlant = 0, previousClass = 0, previousEquipment = 0;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const long plantID = rows.GetLong(QStringLiteral("PlantID"));
        const long classID = rows.GetLong(QStringLiteral("EquipmentClassID"));
        const long equipmentID = rows.GetLong(QStringLiteral("ActualEquipmentID"));
        const bool newFacility = plantID != previousPlant;
        if (newFacility) {
            facility = lastFacility = InsertTreeItem(&root, rows.GetText(QStringLiteral("PlantName")),
                                                     FACILITY_SELECTED_ICON, FACILITY_ICON);
            facility->setData(0, FACILITY_ITEM_ID_ROLE, qlonglong(plantID));
            shownFacilities.insert(plantID);
            equipmentClass = nullptr;
        }
        const auto [normal, selected] = EquipmentClassIcons(classID);
        const QString className = rows.GetText(QStringLiteral("ClassName"));
        if (classID != previousClass || newFacility) {
            equipmentClass = className.isEmpty() ? nullptr : InsertTreeItem(facility, className, selected, normal);
            if (equipmentClass)
                equipmentClass->setData(0, FACILITY_ITEM_ID_ROLE, qlonglong(classID));
        }
        const QString tag = rows.GetText(QStringLiteral("QVTag"));
        if (equipmentID != previousEquipment && !tag.isEmpty() && equipmentClass) {
            QTreeWidgetItem* item = InsertTreeItem(equipmentClass, EquipmentText(tag, details.value(equipmentID)),
                                                   selected, normal);
            item->setData(0, FACILITY_ITEM_ID_ROLE, qlonglong(equipmentID));
        }
        previousPlant = plantID;
        previousClass = classID;
        previousEquipment = equipmentID;
    }
    rows.CloseSet();
    CPlantProjectSet plants;
    if (plants.OpenSet()) {
        for (; !plants.IsEOF(); plants.MoveNext()) {
            const long plantID = plants.GetLong(QStringLiteral("PlantID"));
            if (shownFacilities.contains(plantID))
                continue;
            lastFacility = InsertTreeItem(&root, plants.GetText(QStringLiteral("PlantName")), FACILITY_SELECTED_ICON,
                                          FACILITY_ICON);
            lastFacility->setData(0, FACILITY_ITEM_ID_ROLE, qlonglong(plantID));
            shownFacilities.insert(plantID);
        }
    }
    QCollator collator;
    SortChildren(&root, collator);
    m_tree->addTopLevelItems(root.takeChildren());
    m_tree->expandToDepth(0);
    m_tree->setUpdatesEnabled(true);
    if (lastFacility)
        m_tree->setCurrentItem(lastFacility);
    updateCommandStates();
    return true;
}
