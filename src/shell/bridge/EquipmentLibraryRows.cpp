// The equipment editor's reads and writes of the equipment library.

#include "shell/bridge/EquipmentLibraryRows.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"

#include <QSqlQuery>

namespace {
constexpr double UNSET_NUMBER = 1e35;
const QString CAPACITY_PROPERTY = QStringLiteral("Capacity");
const QString VOLUME_PROPERTY = QStringLiteral("Volume");
const QString MATERIAL_PROPERTY = QStringLiteral("Material OF Construction");

const char* const ITEM_SQL =
    "SELECT e.QVTag, e.Description, c.ClassName, e.EquipmentType, e.PlantID, e.FactoryID, e.BuildingID,"
    " e.AreaID, e.NumberOfUnits, e.Pool, e.Capacity, e.CapacityUOM, e.MinimumVolume, e.MinimumVolumeUOM,"
    " e.MaterialOfConstruction FROM ActualEquipmentCommon e"
    " LEFT JOIN EquipmentClass c ON c.EquipmentClassID = e.EquipmentClassID WHERE e.ActualEquipmentID = ?";
const char* const ITEM_COLUMNS =
    "QVTag = ?, Description = ?, EquipmentClassID = ?, EquipmentType = ?, FactoryID = ?, BuildingID = ?,"
    " AreaID = ?, NumberOfUnits = ?, Pool = ?, Capacity = ?, CapacityUOM = ?, MinimumVolume = ?,"
    " MinimumVolumeUOM = ?, MaterialOfConstruction = ?";

double NumberOf(const QVariant& value)
{
    return value.isNull() ? UNSET_NUMBER : value.toDouble();
}

long IdOf(const QVariant& value)
{
    return value.isNull() ? -1 : long(value.toLongLong());
}

QVariant NullableNumber(double value)
{
    return value >= UNSET_NUMBER ? QVariant() : QVariant(value);
}

QVariant NullableText(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant NullableID(long id)
{
    return id < 0 ? QVariant() : QVariant(qlonglong(id));
}

// The first row of the item's property, as the Facility Explorer reads it; nullopt without one.
std::optional<QSqlQuery> FirstProperty(CDaoDatabase& equipment, long equipmentID, const QString& name)
{
    QSqlQuery row =
        equipment.Query(QStringLiteral("SELECT DoubleValue, ValueUOM, TextValue FROM ActualEquipmentProperty"
                                       " WHERE ActualEquipmentID = ? AND PropertyName = ? ORDER BY RowKey"
                                       " LIMIT 1"),
                        {qlonglong(equipmentID), name});
    return row.next() ? std::optional<QSqlQuery>(row) : std::nullopt;
}

// An item whose columns leave capacity or material out shows its property rows' values.
void FillFromProperties(CDaoDatabase& equipment, long equipmentID, EquipmentItemData& item)
{
    if (item.capacity >= UNSET_NUMBER) {
        if (const std::optional<QSqlQuery> row = FirstProperty(equipment, equipmentID, CAPACITY_PROPERTY)) {
            item.capacity = NumberOf(row->value(0));
            item.capacityUOM = row->value(1).toString();
        }
    }
    if (item.material.isEmpty()) {
        if (const std::optional<QSqlQuery> row = FirstProperty(equipment, equipmentID, MATERIAL_PROPERTY))
            item.material = row->value(2).toString();
    }
}

// The class of that name (case ignored), else a new one.
long ClassID(CDaoDatabase& equipment, const QString& className)
{
    QSqlQuery rows =
        equipment.Query(QStringLiteral("SELECT EquipmentClassID, ClassName FROM EquipmentClass"));
    while (rows.next()) {
        if (rows.value(1).toString().compare(className, Qt::CaseInsensitive) == 0)
            return long(rows.value(0).toLongLong());
    }
    QSqlQuery added = equipment.Query(
        QStringLiteral("INSERT INTO EquipmentClass (ClassName) VALUES (?) RETURNING EquipmentClassID"),
        {className});
    if (!added.next())
        throw CDaoException(QStringLiteral("Can't add the equipment class %1!").arg(className));
    return long(added.value(0).toLongLong());
}

QVariantList ItemValues(long classID, const EquipmentItemData& item)
{
    return {item.tag,
            NullableText(item.description),
            qlonglong(classID),
            item.type,
            NullableID(item.factoryID),
            NullableID(item.buildingID),
            NullableID(item.areaID),
            item.numberOfUnits,
            item.pool ? 1 : 0,
            NullableNumber(item.capacity),
            item.capacity >= UNSET_NUMBER ? QVariant() : QVariant(item.capacityUOM),
            NullableNumber(item.minimumVolume),
            item.minimumVolume >= UNSET_NUMBER ? QVariant() : QVariant(item.minimumVolumeUOM),
            NullableText(item.material)};
}

long InsertItem(CDaoDatabase& equipment, long plantID, const QVariantList& values)
{
    QSqlQuery row = equipment.Query(
        QStringLiteral(
            "INSERT INTO ActualEquipmentCommon (QVTag, Description, EquipmentClassID, EquipmentType,"
            " FactoryID, BuildingID, AreaID, NumberOfUnits, Pool, Capacity, CapacityUOM, MinimumVolume,"
            " MinimumVolumeUOM, MaterialOfConstruction, PlantID)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING ActualEquipmentID"),
        values + QVariantList{qlonglong(plantID)});
    if (!row.next())
        throw CDaoException(QStringLiteral("Can't add the equipment item!"));
    return long(row.value(0).toLongLong());
}

// Every row of the property takes the value; a value not given removes them.
void WriteProperty(CDaoDatabase& equipment, long equipmentID, const QString& name, const QVariant& number,
                   const QVariant& uom, const QVariant& text)
{
    const QVariantList key{qlonglong(equipmentID), name};
    if (number.isNull() && text.isNull()) {
        equipment.Execute(
            QStringLiteral(
                "DELETE FROM ActualEquipmentProperty WHERE ActualEquipmentID = ? AND PropertyName = ?"),
            key);
        return;
    }
    equipment.Execute(
        QStringLiteral("UPDATE ActualEquipmentProperty SET DoubleValue = ?, ValueUOM = ?, TextValue = ?"
                       " WHERE ActualEquipmentID = ? AND PropertyName = ?"),
        QVariantList{number, uom, text} + key);
    if (equipment.GetRecordsAffected() == 0)
        equipment.Execute(
            QStringLiteral("INSERT INTO ActualEquipmentProperty (DoubleValue, ValueUOM, TextValue,"
                           " ActualEquipmentID, PropertyName) VALUES (?, ?, ?, ?, ?)"),
            QVariantList{number, uom, text} + key);
}

// The capacity also stands as the item's volume, as the library's items carry it.
void WriteProperties(CDaoDatabase& equipment, long equipmentID, const EquipmentItemData* before,
                     const EquipmentItemData& after)
{
    const bool capacityChanged =
        !before || before->capacity != after.capacity || before->capacityUOM != after.capacityUOM;
    const QVariant capacity = NullableNumber(after.capacity);
    const QVariant unit = capacity.isNull() ? QVariant() : QVariant(after.capacityUOM);
    if (capacityChanged) {
        WriteProperty(equipment, equipmentID, CAPACITY_PROPERTY, capacity, unit, QVariant());
        WriteProperty(equipment, equipmentID, VOLUME_PROPERTY, capacity, unit, QVariant());
    }
    if (!before || before->material != after.material)
        WriteProperty(equipment, equipmentID, MATERIAL_PROPERTY, QVariant(), QVariant(),
                      NullableText(after.material));
}
} // namespace

std::optional<QString> ReadFacilityName(CDaoDatabase& equipment, long plantID)
{
    QSqlQuery row = equipment.Query(QStringLiteral("SELECT PlantName FROM Plant WHERE PlantID = ?"),
                                    {qlonglong(plantID)});
    return row.next() ? std::optional<QString>(row.value(0).toString()) : std::nullopt;
}

EquipmentLookupList ReadEquipmentLookup(CDaoDatabase& equipment, const char* table, const char* id,
                                        const char* name)
{
    EquipmentLookupList entries;
    QSqlQuery rows = equipment.Query(
        QStringLiteral("SELECT %2, %3 FROM %1 WHERE %3 <> '' ORDER BY %3, %2").arg(table, id, name));
    while (rows.next())
        entries.append({long(rows.value(0).toLongLong()), rows.value(1).toString()});
    return entries;
}

std::optional<EquipmentItemData> ReadEquipmentItem(CDaoDatabase& equipment, long equipmentID, long* plantID)
{
    QSqlQuery row = equipment.Query(QString::fromLatin1(ITEM_SQL), {qlonglong(equipmentID)});
    if (!row.next())
        return std::nullopt;
    EquipmentItemData item;
    item.tag = row.value(0).toString();
    item.description = row.value(1).toString();
    item.className = row.value(2).toString();
    item.type = row.value(3).toString().isEmpty() ? QStringLiteral("Batch") : row.value(3).toString();
    *plantID = IdOf(row.value(4));
    item.factoryID = IdOf(row.value(5));
    item.buildingID = IdOf(row.value(6));
    item.areaID = IdOf(row.value(7));
    item.numberOfUnits = row.value(8).isNull() ? 1 : row.value(8).toInt();
    item.pool = row.value(9).toLongLong() != 0;
    item.capacity = NumberOf(row.value(10));
    item.capacityUOM = row.value(11).toString();
    item.minimumVolume = NumberOf(row.value(12));
    item.minimumVolumeUOM = row.value(13).toString();
    item.material = row.value(14).toString();
    FillFromProperties(equipment, equipmentID, item);
    return item;
}

QString EquipmentTagRefusal(CDaoDatabase& equipment, long plantID, long equipmentID, const QString& tag)
{
    QSqlQuery rows = equipment.Query(
        QStringLiteral(
            "SELECT QVTag FROM ActualEquipmentCommon WHERE PlantID = ? AND ActualEquipmentID <> ?"),
        {qlonglong(plantID), qlonglong(equipmentID)});
    while (rows.next()) {
        if (rows.value(0).toString().compare(tag, Qt::CaseInsensitive) == 0)
            return QStringLiteral(
                       "%1 already has an equipment item tagged %2. Please enter a tag that no other "
                       "item of the facility has.")
                .arg(ReadFacilityName(equipment, plantID).value_or(QString()), rows.value(0).toString());
    }
    return {};
}

long WriteEquipmentItem(CDaoDatabase& equipment, long plantID, long equipmentID,
                        const EquipmentItemData& before, const EquipmentItemData& after)
{
    if (const QString refusal = EquipmentTagRefusal(equipment, plantID, equipmentID, after.tag);
        !refusal.isEmpty())
        throw CDaoException(refusal);
    const QVariantList values = ItemValues(ClassID(equipment, after.className), after);
    const bool isNew = equipmentID < 0;
    if (isNew)
        equipmentID = InsertItem(equipment, plantID, values);
    else
        equipment.Execute(QStringLiteral("UPDATE ActualEquipmentCommon SET %1 WHERE ActualEquipmentID = ?")
                              .arg(QLatin1String(ITEM_COLUMNS)),
                          values + QVariantList{qlonglong(equipmentID)});
    WriteProperties(equipment, equipmentID, isNew ? nullptr : &before, after);
    return equipmentID;
}
