#include "modules/steputils/ExchangeColumns.h"

#include <QHash>

namespace {

using CatalogueKind = ValueKind;
using CatalogueRole = ColumnRole;

struct CatalogueColumnEntry {
    const char* column;
    ValueKind kind;
    ColumnRole role;
};

struct CatalogueTableEntry {
    const char* table;
    ExchangePart part;
    const char* libraryTable;
    QList<CatalogueColumnEntry> columns;
};

constexpr CatalogueColumnEntry CatalogueInt(const char* column, ColumnRole role = CatalogueRole::Plain) { return {column, CatalogueKind::Integer, role}; }
constexpr CatalogueColumnEntry CatalogueReal(const char* column) { return {column, CatalogueKind::Real, CatalogueRole::Plain}; }
constexpr CatalogueColumnEntry CatalogueName(const char* column) { return {column, CatalogueKind::Text255, CatalogueRole::Plain}; }
constexpr CatalogueColumnEntry CatalogueMemo(const char* column) { return {column, CatalogueKind::Memo, CatalogueRole::Plain}; }

const QList<CatalogueTableEntry>& StepTableEntries()
{
    static const QList<CatalogueTableEntry> tables = {
        {"Step", ExchangePart::Step, "",
         {CatalogueInt("StepID", CatalogueRole::StepRef), CatalogueName("StepName"), CatalogueName("StepVersionName"), CatalogueMemo("Description"),
          CatalogueInt("PlantID", CatalogueRole::FacilityRef), CatalogueInt("KeyInputIntermediateID", CatalogueRole::MaterialRef),
          CatalogueInt("KeyOutputIntermediateID", CatalogueRole::MaterialRef), CatalogueInt("InputIntermediate2ID", CatalogueRole::MaterialRef),
          CatalogueInt("InputIntermediate3ID", CatalogueRole::MaterialRef), CatalogueInt("OutputIntermediate2ID", CatalogueRole::MaterialRef),
          CatalogueInt("OutputIntermediate3ID", CatalogueRole::MaterialRef), CatalogueInt("InputUOMSetID", CatalogueRole::UnitSetRef),
          CatalogueInt("OutputUOMSetID", CatalogueRole::UnitSetRef), CatalogueInt("CleaningFlag"), CatalogueMemo("OperatingInstructionsTemplatePath"),
          CatalogueName("BatchSizeBase"), CatalogueReal("StartDateTime"), CatalogueReal("BatchSize"), CatalogueName("BatchSizeUOM"), CatalogueReal("ScaleFactor"),
          CatalogueInt("PrevScalingOption"), CatalogueInt("UndoPrevScalingDone"), CatalogueReal("PrevScaledBatchSize"), CatalogueReal("MaximumBatchSize"),
          CatalogueReal("MinimumBatchSize"), CatalogueReal("OriginalBatchSize"), CatalogueReal("KeyInputBatchSize"), CatalogueReal("CycleTime"),
          CatalogueName("CycleTimeUOM"), CatalogueInt("NumberOfBatches"), CatalogueName("CampaignName"), CatalogueName("Author"), CatalogueReal("CreatedDate"),
          CatalogueReal("ModifiedDate"), CatalogueInt("SimulationStatus"), CatalogueInt("NeedsResimulation"), CatalogueName("ResultsVersion"),
          CatalogueMemo("Notes"), CatalogueReal("ProductFactor"), CatalogueReal("II2ProductFactor"),
          CatalogueReal("II3Productfactor"), CatalogueReal("OI2ProductFactor"), CatalogueReal("OI3Productfactor"),
          CatalogueReal("BatchSizeMW")}},
        {"TextRecipe", ExchangePart::Step, "",
         {CatalogueInt("ID"), CatalogueInt("Indent"), CatalogueName("Label"), CatalogueName("OperationName"), CatalogueInt("OPNumber"),
          CatalogueInt("RecipeSequenceNumber"), CatalogueInt("StepID", CatalogueRole::StepRef), CatalogueName("Type"), CatalogueName("UnitProcedureName"),
          CatalogueInt("UPNumber"), CatalogueInt("Hide"), CatalogueInt("Breakpoint"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"UnitProcedure", ExchangePart::Step, "",
         {CatalogueInt("UnitProcedureID", CatalogueRole::RowKey), CatalogueName("UnitProcedureName"), CatalogueInt("UPSequenceNumber"),
          CatalogueInt("PrimaryEquipmentID", CatalogueRole::EquipmentRef), CatalogueMemo("UserComments")}},
        {"Operation", ExchangePart::Step, "",
         {CatalogueInt("OperationID", CatalogueRole::RowKey), CatalogueInt("UnitProcedureID"), CatalogueInt("OperationTypeID"), CatalogueName("QuorvantaLabel"),
          CatalogueInt("ModelTypeID"), CatalogueMemo("RecipeText"), CatalogueMemo("SafetyNote"), CatalogueMemo("UserComments"),
          CatalogueInt("OperationSequenceNumber"), CatalogueInt("UnitProcedureSequenceNumber"), CatalogueMemo("RangeText")}},
        {"OperationConditionalLogicParameter", ExchangePart::Step, "",
         {CatalogueInt("CurrentOperationID"), CatalogueName("ConditionalLogic"), CatalogueInt("OperationParameterID"), CatalogueReal("Delay"),
          CatalogueName("DelayUOM"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"UnitProcedureConditionalLogicParameter", ExchangePart::Step, "",
         {CatalogueInt("CurrentUnitProcedureID"), CatalogueName("ConditionalLogic"), CatalogueInt("UnitProcedureParameterID"), CatalogueReal("Delay"),
          CatalogueName("DelayUOM"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"OperationTransition", ExchangePart::Step, "",
         {CatalogueInt("FromOperationID"), CatalogueInt("ToOperationID"), CatalogueInt("UnitProcedureID"), CatalogueName("TransitionType"),
          CatalogueName("OperationTransitionID"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"UnitProcedureTransition", ExchangePart::Step, "",
         {CatalogueName("UnitProcedureTransitionID"), CatalogueInt("FromUnitProcedureID"), CatalogueInt("ToUnitProcedureID"),
          CatalogueInt("StepID", CatalogueRole::StepRef), CatalogueName("TransitionType"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"TblFieldLibrary", ExchangePart::Step, "",
         {CatalogueInt("FieldTypeID", CatalogueRole::RowKey), CatalogueName("FieldType"), CatalogueName("FieldLabel"), CatalogueName("Quantity"), CatalogueName("UOM"),
          CatalogueInt("Scalable"), CatalogueName("UOMType")}},
        {"TblGroupData", ExchangePart::Step, "",
         {CatalogueInt("GroupID", CatalogueRole::RowKey), CatalogueInt("OperationID"), CatalogueInt("GroupTypeID"), CatalogueInt("GroupIndex"), CatalogueInt("SequenceNumber"),
          CatalogueInt("OpGroupID")}},
        {"TblFieldData", ExchangePart::Step, "",
         {CatalogueInt("FieldID", CatalogueRole::RowKey), CatalogueInt("GroupID"), CatalogueInt("SubGroupIndex"), CatalogueInt("FieldTypeID"), CatalogueReal("DoubleValue"),
          CatalogueInt("LongValue"), CatalogueName("UOM"), CatalogueMemo("StringValue"), CatalogueInt("OpFieldID")}},
        {"TblRangeData", ExchangePart::Step, "",
         {CatalogueInt("RangeID", CatalogueRole::RowKey), CatalogueInt("GroupID"), CatalogueInt("SubGroupIndex"), CatalogueInt("FieldTypeID"), CatalogueInt("RangeTypeID", CatalogueRole::RangeTypeRef),
          CatalogueInt("RangeCategory"), CatalogueReal("Low"), CatalogueInt("LowWidth"), CatalogueName("LowUOM"), CatalogueReal("High"), CatalogueInt("HighWidth"),
          CatalogueName("HighUOM"), CatalogueInt("OpRangeID")}},
        {"TblCommentData", ExchangePart::Step, "",
         {CatalogueInt("CommentID", CatalogueRole::RowKey), CatalogueInt("OperationID"), CatalogueInt("CommentTypeID", CatalogueRole::CommentTypeRef), CatalogueMemo("CommentRTF"),
          CatalogueMemo("CommentText")}},
        {"ScaleInvariantOperation", ExchangePart::Step, "",
         {CatalogueInt("Position"), CatalogueInt("OperationID"), CatalogueMemo("Text"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"PrevScaleInvariantOperation", ExchangePart::Step, "",
         {CatalogueInt("Position"), CatalogueInt("OperationID"), CatalogueMemo("Text"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ScaleUpRecord", ExchangePart::Step, "",
         {CatalogueInt("RecordID", CatalogueRole::RowKey), CatalogueReal("Factor"), CatalogueReal("BatchSizeBefore"), CatalogueReal("BatchSizeAfter"),
          CatalogueReal("KeyInputBefore"), CatalogueReal("KeyInputAfter")}},
        {"ScaleUpRecordOperation", ExchangePart::Step, "",
         {CatalogueInt("RecordID"), CatalogueInt("OperationID"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ScaleUpRecordDefault", ExchangePart::Step, "",
         {CatalogueInt("RecordID"), CatalogueInt("FieldID"), CatalogueInt("CreatedGroupID"),
          CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ScaleUpPendingSize", ExchangePart::Step, "",
         {CatalogueInt("ID", CatalogueRole::RowKey), CatalogueReal("BatchSizeKg"), CatalogueReal("KeyInputKg")}},
        {"DesignSpecifications", ExchangePart::Step, "",
         {CatalogueInt("StepID", CatalogueRole::StepRef), CatalogueReal("Amount"), CatalogueName("AmountUOM"), CatalogueReal("TimeHorizon"),
          CatalogueName("TimeHorizonUOM"), CatalogueInt("FacilityID", CatalogueRole::FacilityRef), CatalogueName("FacilityName"),
          CatalogueName("Heuristic")}},
    };
    return tables;
}

const QList<CatalogueTableEntry>& ExchangeTableEntries()
{
    static const QList<CatalogueTableEntry> tables = {
        {"StepExchange", ExchangePart::Exchange, "",
         {CatalogueInt("FormatVersion"), CatalogueName("SourceProject"), CatalogueName("StepName"), CatalogueName("StepVersionName"), CatalogueMemo("Description"),
          CatalogueInt("SourceStepID"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ExchangeFacility", ExchangePart::Exchange, "Plant",
         {CatalogueInt("PlantID", CatalogueRole::ItemKey), CatalogueName("PlantName"), CatalogueMemo("Address"), CatalogueInt("CalendarID"), CatalogueName("City"),
          CatalogueName("Country"), CatalogueName("State")}},
        {"ExchangeEquipmentClass", ExchangePart::Exchange, "EquipmentClass",
         {CatalogueInt("EquipmentClassID", CatalogueRole::ItemKey), CatalogueName("ClassName")}},
        {"ExchangeEquipment", ExchangePart::Exchange, "ActualEquipmentCommon",
         {CatalogueInt("ActualEquipmentID", CatalogueRole::ItemKey), CatalogueName("QVTag"), CatalogueInt("EquipmentClassID", CatalogueRole::ClassRef),
          CatalogueName("EquipmentType"), CatalogueInt("PlantID", CatalogueRole::FacilityRef), CatalogueInt("FactoryID"), CatalogueInt("BuildingID"), CatalogueInt("AreaID"),
          CatalogueMemo("Description"), CatalogueInt("Pool"), CatalogueInt("NumberOfUnits"), CatalogueReal("Capacity"), CatalogueName("CapacityUOM"),
          CatalogueReal("MinimumVolume"), CatalogueName("MinimumVolumeUOM"), CatalogueName("MaterialOfConstruction"), CatalogueReal("CleaningTime"),
          CatalogueName("CleaningTimeUOM"), CatalogueInt("CalendarID"), CatalogueReal("Cost"), CatalogueName("CostUOM"), CatalogueMemo("Comments"),
          CatalogueReal("LibraryStamp")}},
        {"ExchangeEquipmentProperty", ExchangePart::Exchange, "ActualEquipmentProperty",
         {CatalogueInt("ActualEquipmentID", CatalogueRole::EquipmentRef), CatalogueName("PropertyName"), CatalogueReal("DoubleValue"), CatalogueName("ValueUOM"),
          CatalogueMemo("TextValue"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ExchangeMaterial", ExchangePart::Exchange, "ActualMaterialCommon",
         {CatalogueInt("MaterialID", CatalogueRole::ItemKey), CatalogueName("MaterialName"), CatalogueName("Alias"), CatalogueReal("AvailablePressure"),
          CatalogueName("AvailablePressureUOM"), CatalogueReal("AvailableTemperature"), CatalogueName("AvailableTemperatureUOM"), CatalogueName("CASCode"),
          CatalogueName("Class"), CatalogueMemo("Comments"), CatalogueName("CompanyCode"), CatalogueReal("Cost"), CatalogueName("CostUOM"), CatalogueName("DataSource"),
          CatalogueMemo("Description"), CatalogueInt("MaterialTypeID"), CatalogueName("MSDSCode"), CatalogueName("PurchasingCode"), CatalogueMemo("SafetyNote"),
          CatalogueName("SAPCode"), CatalogueName("WhoEntered"), CatalogueMemo("RuntimeParamLookup"), CatalogueName("Phase"), CatalogueReal("LibraryStamp")}},
        {"ExchangeMaterialProperty", ExchangePart::Exchange, "ActualMaterialProperty",
         {CatalogueInt("MaterialID", CatalogueRole::MaterialRef), CatalogueInt("MaterialPropertyID"), CatalogueReal("DoubleValue"), CatalogueName("ValueUOM"),
          CatalogueMemo("TextValue"), CatalogueInt("IntegerValue"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ExchangeMixture", ExchangePart::Exchange, "Mixture",
         {CatalogueInt("MaterialID", CatalogueRole::MaterialRef), CatalogueInt("ComponentID", CatalogueRole::MaterialRef), CatalogueName("Phase"), CatalogueReal("Amount"),
          CatalogueName("AmountUOM"), CatalogueInt("RowKey", CatalogueRole::RowKey)}},
        {"ExchangeUnitSet", ExchangePart::Exchange, "TblUOMSet",
         {CatalogueInt("UOMSetID", CatalogueRole::ItemKey), CatalogueName("UOMSetName")}},
        {"ExchangeRangeType", ExchangePart::Exchange, "TblRangeLibrary",
         {CatalogueInt("RangeTypeID", CatalogueRole::ItemKey), CatalogueMemo("Description"), CatalogueInt("Default")}},
        {"ExchangeCommentType", ExchangePart::Exchange, "TblCommentLibrary",
         {CatalogueInt("CommentTypeID", CatalogueRole::ItemKey), CatalogueMemo("Description"), CatalogueInt("Default")}},
    };
    return tables;
}

QList<ExchangeColumn> BuildCatalogue()
{
    QList<ExchangeColumn> columns;
    for (const QList<CatalogueTableEntry>* entries : {&StepTableEntries(), &ExchangeTableEntries()})
        for (const CatalogueTableEntry& table : *entries)
            for (const CatalogueColumnEntry& column : table.columns)
                columns.append({QString::fromLatin1(table.table), QString::fromLatin1(column.column), column.kind,
                                column.role});
    return columns;
}

QList<ExchangeTable> BuildTables()
{
    QList<ExchangeTable> tables;
    for (const QList<CatalogueTableEntry>* entries : {&StepTableEntries(), &ExchangeTableEntries()})
        for (const CatalogueTableEntry& table : *entries)
            tables.append({QString::fromLatin1(table.table), table.part, QString::fromLatin1(table.libraryTable)});
    return tables;
}

} // namespace

const QList<ExchangeColumn>& ExchangeCatalogue()
{
    static const QList<ExchangeColumn> catalogue = BuildCatalogue();
    return catalogue;
}

const QList<ExchangeTable>& ExchangeTables()
{
    static const QList<ExchangeTable> tables = BuildTables();
    return tables;
}

namespace {

// The catalogue by lower-case table name, with each table's column names: every read and write of
// a step file asks for them many times.
struct TableColumns {
    QList<ExchangeColumn> columns;
    QStringList names;
};

const QHash<QString, TableColumns>& CatalogueByTable()
{
    static const QHash<QString, TableColumns> byTable = [] {
        QHash<QString, TableColumns> tables;
        for (const ExchangeColumn& column : ExchangeCatalogue()) {
            TableColumns& table = tables[column.table.toLower()];
            table.columns.append(column);
            table.names.append(column.column);
        }
        return tables;
    }();
    return byTable;
}

} // namespace

QList<ExchangeColumn> ColumnsOfTable(const QString& table)
{
    return CatalogueByTable().value(table.toLower()).columns;
}

QStringList ColumnNamesOfTable(const QString& table)
{
    return CatalogueByTable().value(table.toLower()).names;
}

QList<ExchangeColumn> ColumnsWithRole(ColumnRole role)
{
    QList<ExchangeColumn> columns;
    for (const ExchangeColumn& column : ExchangeCatalogue())
        if (column.role == role)
            columns.append(column);
    return columns;
}

ExchangePart PartOfTable(const QString& table)
{
    for (const ExchangeTable& entry : ExchangeTables())
        if (entry.name.compare(table, Qt::CaseInsensitive) == 0)
            return entry.part;
    return ExchangePart::Exchange;
}
