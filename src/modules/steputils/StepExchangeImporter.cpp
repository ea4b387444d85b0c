#include "modules/steputils/StepExchangeImporter.h"

#include "foundation/common/UniqueID.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoTransaction.h"
#include "foundation/db/recordsets/StepOrder.h"
#include "modules/steputils/ExchangeColumns.h"
#include "modules/steputils/ExchangeFormat.h"
#include "modules/steputils/ExchangeRows.h"
#include "modules/steputils/StepTypeMapping.h"

#include <QMap>
#include <QSqlQuery>

namespace {

// The ids the update checks keep apart for items of a library.
constexpr IdRange MATERIAL_KEPT_IDS{10000, 39999};
constexpr IdRange EQUIPMENT_KEPT_IDS{100001, 1000000};

bool RowExistsWithID(CDaoDatabase& database, const QString& table, const QString& column, long id)
{
    QSqlQuery query = database.Query(
        QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"%2\" = ?").arg(table, column), {qlonglong(id)});
    return query.next();
}

// The id of the row whose column holds the value (compared as the column compares); -1 for none.
long FindByName(CDaoDatabase& database, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = database.Query(sql, values);
    return query.next() ? long(query.value(0).toLongLong()) : -1;
}

long NewLibraryID(CDaoDatabase& database, const QString& table, const QString& column, IdRange kept)
{
    return GenerateUniqueID([&](long id) { return RowExistsWithID(database, table, column, id); }, kept);
}

// The row with its columns set to other values; a column not in the row is added.
QVariantList WithValues(QVariantList row, QStringList& columns, const QList<QPair<QString, QVariant>>& values)
{
    for (const auto& [column, value] : values) {
        const qsizetype at = columns.indexOf(column);
        if (at < 0) {
            columns.append(column);
            row.append(value);
        } else {
            row[at] = value;
        }
    }
    return row;
}

// The item's rows (its property values) under its new id, first.
ExchangeRowList WithItemID(ExchangeRowList rows, long itemID)
{
    for (QVariantList& row : rows)
        row.prepend(qlonglong(itemID));
    return rows;
}

// Per step table, the assignments that re-point its references: a step id becomes the new step's
// (kept when the file has that id already); another reference goes through the map, an item not
// brought along becoming NULL (facility) or -1, and a reference that named nothing (Null, -1; for
// a facility also 0, the whole catalogue) stays as it was. Type ids are left alone when the file does not carry its types. One statement
// per table, so each table is written once.
QMap<QString, QStringList> StepTableRewrites(long stepID, bool typesTravel, bool stepIDsKept)
{
    QMap<QString, QStringList> rewrites;
    for (const ExchangeColumn& column : ExchangeCatalogue()) {
        if (column.role == ColumnRole::Plain || column.role == ColumnRole::RowKey ||
            column.role == ColumnRole::ItemKey || PartOfTable(column.table) != ExchangePart::Step)
            continue;
        if (!typesTravel &&
            (column.role == ColumnRole::RangeTypeRef || column.role == ColumnRole::CommentTypeRef))
            continue;
        const QString target = QLatin1Char('"') + column.column + QLatin1Char('"');
        if (column.role == ColumnRole::StepRef) {
            if (!stepIDsKept)
                rewrites[column.table] << QStringLiteral("%1 = %2").arg(target).arg(stepID);
            continue;
        }
        const bool facility = column.role == ColumnRole::FacilityRef;
        const QString none = facility ? QStringLiteral("NULL") : QStringLiteral("-1");
        const QString kept = facility ? QStringLiteral("%1 IN (-1, 0)") : QStringLiteral("%1 = -1");
        rewrites[column.table]
            << (QStringLiteral("%1 = CASE WHEN %1 IS NULL OR ") + kept +
                QStringLiteral(" THEN %1 ELSE coalesce((SELECT NewID FROM temp.ExchangeMap WHERE Role = %2 "
                               "AND OldID = %1), %3) END"))
                   .arg(target)
                   .arg(int(column.role))
                   .arg(none);
    }
    return rewrites;
}

} // namespace

CStepExchangeImporter::CStepExchangeImporter(CDaoDatabase& file, const StepImportTargets& targets,
                                             const HeldExchangeRows* held)
    : m_file(file), m_targets(targets), m_held(held)
{
}

// An exchange table's rows in these columns, in the order of its row ids, from the held rows or the
// file; given a column and a value, only the rows that hold it there.
ExchangeRowList CStepExchangeImporter::TableRows(const QString& table, const QStringList& columns,
                                                 const QString& whereColumn, const QVariant& equals) const
{
    if (m_held)
        return m_held->Rows(table, columns, whereColumn, equals);
    QString sql = QStringLiteral("SELECT %1 FROM \"%2\"").arg(QuotedColumns(columns), table);
    if (!whereColumn.isEmpty())
        sql += QStringLiteral(" WHERE \"%1\" = ?").arg(whereColumn);
    return ReadExchangeRows(m_file, sql + QStringLiteral(" ORDER BY rowid"),
                            whereColumn.isEmpty() ? QVariantList() : QVariantList{equals});
}

// Every catalogued column of an item table.
ExchangeRowList CStepExchangeImporter::ItemRows(const QString& table, QStringList& columns) const
{
    columns = ColumnNamesOfTable(table);
    return TableRows(table, columns);
}

long CStepExchangeImporter::Import(long processID)
{
    CDaoTransaction projectLevel(*m_targets.project);
    CDaoTransaction equipmentLevel(*m_targets.equipment);
    CDaoTransaction materialLevel(*m_targets.materials);
    CDaoTransaction fileLevel(m_file);
    const long stepID = AddProjectRows(processID);
    MapUnitSets();
    MapTypes();
    MapFacilities();
    MapClasses();
    MapEquipment();
    MapMaterials();
    CopyMixtures();
    RewriteFile(stepID);
    fileLevel.Commit();
    equipmentLevel.Commit();
    materialLevel.Commit();
    projectLevel.Commit();
    return stepID;
}

// Named as the exchange row names the step, else as its [Step] row does.
long CStepExchangeImporter::AddProjectRows(long processID)
{
    const QStringList nameColumns = {"StepName", "StepVersionName", "Description"};
    ExchangeRowList names;
    for (const QVariantList& row : TableRows(QStringLiteral("StepExchange"), nameColumns))
        if (!row.value(0).toString().isEmpty())
            names.append(row);
    names += ReadExchangeRows(m_file, QStringLiteral("SELECT %1 FROM Step").arg(QuotedColumns(nameColumns)));
    const QVariantList name = names.value(0);
    CDaoDatabase& project = *m_targets.project;
    const long stepID = m_targets.stepID != 0 ? m_targets.stepID
                                              : AllocateProjectID(project, ProjectCounter::Step, m_targets.idSources);
    project.Execute(QStringLiteral("INSERT INTO ProjectStep (StepID, StepName, StepVersionName, Description) "
                                   "VALUES (?, ?, ?, ?)"),
                    {qlonglong(stepID), name.value(0).toString(), name.value(1), name.value(2)});
    InsertStepOrder(project, processID, stepID, PLACE_LAST, -1);
    StoreProjectCounter(project, ProjectCounter::Step, stepID);
    m_file.Execute(QStringLiteral("UPDATE Step SET StepName = ?, StepVersionName = ?"),
                   {name.value(0).toString(), name.value(1)});
    return stepID;
}

void CStepExchangeImporter::MapUnitSets()
{
    const ExchangeRowList sets = TableRows(QStringLiteral("ExchangeUnitSet"), {"UOMSetID", "UOMSetName"});
    for (const QVariantList& set : sets)
        Map(int(ColumnRole::UnitSetRef), long(set.value(0).toLongLong()),
            FindByName(*m_targets.project,
                       QStringLiteral("SELECT UOMSetID FROM TblUOMSet WHERE UOMSetName = ? "
                                      "ORDER BY UOMSetID"),
                       {set.value(1)}));
}

void CStepExchangeImporter::MapTypes()
{
    m_typesTravel = m_held || FileCarriesTypes(m_file);
    if (!m_typesTravel)
        return;
    const QList<TypeMapping> types =
        m_held ? MapHeldTypes(*m_held, *m_targets.project) : MapExchangeTypes(m_file, *m_targets.project);
    for (const TypeMapping& type : types)
        Map(int(type.role), type.oldID, type.newID);
}

void CStepExchangeImporter::MapFacilities()
{
    QStringList columns;
    for (const QVariantList& row : ItemRows(QStringLiteral("ExchangeFacility"), columns)) {
        long plantID =
            FindByName(*m_targets.equipment,
                       QStringLiteral("SELECT p.PlantID FROM Plant p JOIN \"Plant-To-Project\" pp "
                                      "ON pp.PlantID = p.PlantID WHERE p.PlantName = ? ORDER BY p.PlantID"),
                       {row.value(columns.indexOf(QStringLiteral("PlantName")))});
        if (plantID == -1)
            plantID = CopyFacility(row, columns);
        Map(int(ColumnRole::FacilityRef), long(row.value(0).toLongLong()), plantID);
    }
}

// Under a new facility id, with its link to the project; its calendar stays behind.
long CStepExchangeImporter::CopyFacility(const QVariantList& row, QStringList columns)
{
    columns.removeFirst(); // the key: a new one is given
    const QVariantList values = WithValues(row.mid(1), columns, {{"CalendarID", QVariant()}});
    QSqlQuery inserted = m_targets.equipment->Query(
        QStringLiteral("INSERT INTO Plant (%1) VALUES (%2) RETURNING PlantID")
            .arg(QuotedColumns(columns),
                 QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))),
        values);
    const long plantID = inserted.next() ? long(inserted.value(0).toLongLong()) : -1;
    inserted.finish();
    m_targets.equipment->Execute(
        QStringLiteral("INSERT INTO \"Plant-To-Project\" (PlantID, ProjectID, PlantName) "
                       "VALUES (?, ?, ?)"),
        {qlonglong(plantID), qlonglong(m_targets.projectID),
         values.value(columns.indexOf(QStringLiteral("PlantName")))});
    return plantID;
}

void CStepExchangeImporter::MapClasses()
{
    CDaoDatabase& equipment = *m_targets.equipment;
    for (const QVariantList& row :
         TableRows(QStringLiteral("ExchangeEquipmentClass"), {"EquipmentClassID", "ClassName"})) {
        const long oldID = long(row.value(0).toLongLong());
        long classID = FindByName(equipment,
                                  QStringLiteral("SELECT EquipmentClassID FROM EquipmentClass "
                                                 "WHERE ClassName = ? ORDER BY EquipmentClassID"),
                                  {row.value(1)});
        if (classID == -1) {
            classID = RowExistsWithID(equipment, QStringLiteral("EquipmentClass"),
                                      QStringLiteral("EquipmentClassID"), oldID)
                          ? NewLibraryID(equipment, QStringLiteral("EquipmentClass"),
                                         QStringLiteral("EquipmentClassID"), EQUIPMENT_KEPT_IDS)
                          : oldID;
            equipment.Execute(
                QStringLiteral("INSERT INTO EquipmentClass (EquipmentClassID, ClassName) VALUES (?, ?)"),
                {qlonglong(classID), row.value(1)});
        }
        Map(int(ColumnRole::ClassRef), oldID, classID);
    }
}

// An item of the same tag in the facility it lands in is taken; others are copied with their
// properties.
void CStepExchangeImporter::MapEquipment()
{
    QStringList columns;
    const ExchangeRowList rows = ItemRows(QStringLiteral("ExchangeEquipment"), columns);
    const qsizetype tag = columns.indexOf(QStringLiteral("QVTag"));
    const qsizetype plant = columns.indexOf(QStringLiteral("PlantID"));
    for (const QVariantList& row : rows) {
        const QVariant facility = Mapped(int(ColumnRole::FacilityRef), row.value(plant));
        long itemID =
            FindByName(*m_targets.equipment,
                       QStringLiteral("SELECT ActualEquipmentID FROM ActualEquipmentCommon "
                                      "WHERE QVTag = ? AND PlantID IS ? ORDER BY ActualEquipmentID"),
                       {row.value(tag), facility});
        if (itemID == -1)
            itemID = CopyEquipment(row, columns);
        Map(int(ColumnRole::EquipmentRef), long(row.value(0).toLongLong()), itemID);
    }
}

// Its place below the facility (factory, building, area) and its calendar stay behind.
long CStepExchangeImporter::CopyEquipment(const QVariantList& row, QStringList columns)
{
    CDaoDatabase& equipment = *m_targets.equipment;
    const long oldID = long(row.value(0).toLongLong());
    const long itemID = NewLibraryID(equipment, QStringLiteral("ActualEquipmentCommon"),
                                     QStringLiteral("ActualEquipmentID"), EQUIPMENT_KEPT_IDS);
    const QVariantList values = WithValues(
        row, columns,
        {{"ActualEquipmentID", qlonglong(itemID)},
         {"PlantID",
          Mapped(int(ColumnRole::FacilityRef), row.value(columns.indexOf(QStringLiteral("PlantID"))))},
         {"EquipmentClassID",
          Mapped(int(ColumnRole::ClassRef), row.value(columns.indexOf(QStringLiteral("EquipmentClassID"))))},
         {"FactoryID", QVariant()},
         {"BuildingID", QVariant()},
         {"AreaID", QVariant()},
         {"CalendarID", QVariant()}});
    InsertExchangeRows(equipment, QStringLiteral("ActualEquipmentCommon"), columns, {values});
    const QStringList properties = {"PropertyName", "DoubleValue", "ValueUOM", "TextValue"};
    InsertExchangeRows(equipment, QStringLiteral("ActualEquipmentProperty"),
                       QStringList{QStringLiteral("ActualEquipmentID")} + properties,
                       WithItemID(TableRows(QStringLiteral("ExchangeEquipmentProperty"), properties,
                                            QStringLiteral("ActualEquipmentID"), qlonglong(oldID)),
                                  itemID));
    return itemID;
}

void CStepExchangeImporter::MapMaterials()
{
    QStringList columns;
    const ExchangeRowList rows = ItemRows(QStringLiteral("ExchangeMaterial"), columns);
    const qsizetype name = columns.indexOf(QStringLiteral("MaterialName"));
    for (const QVariantList& row : rows) {
        long materialID = FindByName(*m_targets.materials,
                                     QStringLiteral("SELECT MaterialID FROM ActualMaterialCommon "
                                                    "WHERE MaterialName = ? ORDER BY MaterialID"),
                                     {row.value(name)});
        if (materialID == -1)
            materialID = CopyMaterial(row, columns);
        Map(int(ColumnRole::MaterialRef), long(row.value(0).toLongLong()), materialID);
    }
}

long CStepExchangeImporter::CopyMaterial(const QVariantList& row, QStringList columns)
{
    CDaoDatabase& materials = *m_targets.materials;
    const long oldID = long(row.value(0).toLongLong());
    const long materialID = NewLibraryID(materials, QStringLiteral("ActualMaterialCommon"),
                                         QStringLiteral("MaterialID"), MATERIAL_KEPT_IDS);
    InsertExchangeRows(materials, QStringLiteral("ActualMaterialCommon"), columns,
                       {WithValues(row, columns, {{"MaterialID", qlonglong(materialID)}})});
    const QStringList properties = {"MaterialPropertyID", "DoubleValue", "ValueUOM", "TextValue",
                                    "IntegerValue"};
    InsertExchangeRows(materials, QStringLiteral("ActualMaterialProperty"),
                       QStringList{QStringLiteral("MaterialID")} + properties,
                       WithItemID(TableRows(QStringLiteral("ExchangeMaterialProperty"), properties,
                                            QStringLiteral("MaterialID"), qlonglong(oldID)),
                                  materialID));
    m_map.insert({-1, oldID}, materialID); // copied here: its mixture rows come along
    return materialID;
}

// The mixture rows of the materials copied in, their components re-pointed.
void CStepExchangeImporter::CopyMixtures()
{
    const ExchangeRowList rows = TableRows(QStringLiteral("ExchangeMixture"),
                                           {"MaterialID", "ComponentID", "Phase", "Amount", "AmountUOM"});
    ExchangeRowList copied;
    for (const QVariantList& row : rows) {
        if (!m_map.contains({-1, long(row.value(0).toLongLong())}))
            continue;
        QVariantList mixture = row;
        mixture[0] = Mapped(int(ColumnRole::MaterialRef), row.value(0));
        mixture[1] = Mapped(int(ColumnRole::MaterialRef), row.value(1));
        copied.append(mixture);
    }
    InsertExchangeRows(*m_targets.materials, QStringLiteral("Mixture"),
                       {"MaterialID", "ComponentID", "Phase", "Amount", "AmountUOM"}, copied);
}

void CStepExchangeImporter::Map(int role, long oldID, long newID)
{
    m_map.insert({role, oldID}, newID);
}

QVariant CStepExchangeImporter::Mapped(int role, const QVariant& oldID) const
{
    const auto found = m_map.constFind({role, long(oldID.toLongLong())});
    if (oldID.isNull() || found == m_map.constEnd())
        return {};
    return qlonglong(*found);
}

// Every reference of the step's tables through the map (see StepTableRewrites), then the exchange
// tables dropped.
void CStepExchangeImporter::RewriteFile(long stepID)
{
    ExchangeRowList pairs;
    for (auto it = m_map.constBegin(); it != m_map.constEnd(); ++it)
        pairs.append({it.key().first, qlonglong(it.key().second), qlonglong(it.value())});
    m_file.Execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS ExchangeMap (Role INTEGER, OldID INTEGER, "
                                  "NewID INTEGER, PRIMARY KEY (Role, OldID)) WITHOUT ROWID"));
    m_file.Execute(QStringLiteral("DELETE FROM temp.ExchangeMap"));
    InsertExchangeRows(m_file, QStringLiteral("ExchangeMap"), {"Role", "OldID", "NewID"}, pairs);
    const bool stepIDsKept = m_file.Query(QStringLiteral("SELECT 1 FROM Step WHERE StepID = ?"), {qlonglong(stepID)}).next();
    for (const auto& [table, assignments] : StepTableRewrites(stepID, m_typesTravel, stepIDsKept).asKeyValueRange())
        m_file.Execute(
            QStringLiteral("UPDATE \"%1\" SET %2").arg(table, assignments.join(QStringLiteral(", "))));
    m_file.Execute(QStringLiteral("DROP TABLE temp.ExchangeMap"));
    if (!m_held) // a file read for held rows has the step tables alone
        for (const ExchangeTable& table : ExchangeTables())
            if (table.part == ExchangePart::Exchange)
                m_file.Execute(QStringLiteral("DROP TABLE \"%1\"").arg(table.name));
    m_file.Execute(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationID(DatabaseKind::Step)));
}
