#include "modules/steputils/ExchangeColumns.h"

namespace {

using K = ValueKind;
using R = ColumnRole;

struct ColumnEntry {
    const char* column;
    ValueKind kind;
    ColumnRole role;
};

struct TableEntry {
    const char* table;
    ExchangePart part;
    const char* libraryTable;
    QList<ColumnEntry> columns;
};

constexpr ColumnEntry Int(const char* column, ColumnRole role = R::Plain) { return {column, K::Integer, role}; }
constexpr ColumnEntry Num(const char* column) { return {column, K::Real, R::Plain}; }
constexpr ColumnEntry Name(const char* column) { return {column, K::Text255, R::Plain}; }
constexpr ColumnEntry Memo(const char* column) { return {column, K::Memo, R::Plain}; }

const QList<TableEntry>& StepTableEntries()
{
    static const QList<TableEntry> tables = {
        {"Step", ExchangePart::Step, "",
         {Int("StepID", R::StepRef), Name("StepName"), Name("StepVersionName"), Memo("Description"),
          Int("PlantID", R::FacilityRef), Int("KeyInputIntermediateID", R::MaterialRef),
          Int("KeyOutputIntermediateID", R::MaterialRef), Int("InputIntermediate2ID", R::MaterialRef),
          Int("InputIntermediate3ID", R::MaterialRef), Int("OutputIntermediate2ID", R::MaterialRef),
          Int("OutputIntermediate3ID", R::MaterialRef), Int("InputUOMSetID", R::UnitSetRef),
          Int("OutputUOMSetID", R::UnitSetRef), Int("CleaningFlag"), Memo("OperatingInstructionsTemplatePath"),
          Name("BatchSizeBase"), Num("StartDateTime"), Num("BatchSize"), Name("BatchSizeUOM"), Num("ScaleFactor"),
          Int("PrevScalingOption"), Int("UndoPrevScalingDone"), Num("PrevScaledBatchSize"), Num("MaximumBatchSize"),
          Num("MinimumBatchSize"), Num("OriginalBatchSize"), Num("KeyInputBatchSize"), Num("CycleTime"),
          Name("CycleTimeUOM"), Int("NumberOfBatches"), Name("CampaignName"), Name("Author"), Num("CreatedDate"),
          Num("ModifiedDate"), Int("SimulationStatus"), Int("NeedsResimulation"), Name("ResultsVersion"),
          Memo("Notes")}},
        {"TextRecipe", ExchangePart::Step, "",
         {Int("ID"), Int("Indent"), Name("Label"), Name("OperationName"), Int("OPNumber"),
          Int("RecipeSequenceNumber"), Int("StepID", R::StepRef), Name("Type"), Name("UnitProcedureName"),
          Int("UPNumber"), Int("Hide"), Int("Breakpoint"), Int("RowKey", R::RowKey)}},
        {"UnitProcedure", ExchangePart::Step, "",
         {Int("UnitProcedureID", R::RowKey), Name("UnitProcedureName"), Int("UPSequenceNumber"),
          Int("PrimaryEquipmentID", R::EquipmentRef), Memo("UserComments")}},
        {"Operation", ExchangePart::Step, "",
         {Int("OperationID", R::RowKey), Int("UnitProcedureID"), Int("OperationTypeID"), Name("QuorvantaLabel"),
          Int("ModelTypeID"), Memo("RecipeText"), Memo("SafetyNote"), Memo("UserComments"),
          Int("OperationSequenceNumber"), Int("UnitProcedureSequenceNumber"), Memo("RangeText")}},
        {"OperationConditionalLogicParameter", ExchangePart::Step, "",
         {Int("CurrentOperationID"), Name("ConditionalLogic"), Int("OperationParameterID"), Num("Delay"),
          Name("DelayUOM"), Int("RowKey", R::RowKey)}},
        {"UnitProcedureConditionalLogicParameter", ExchangePart::Step, "",
         {Int("CurrentUnitProcedureID"), Name("ConditionalLogic"), Int("UnitProcedureParameterID"), Num("Delay"),
          Name("DelayUOM"), Int("RowKey", R::RowKey)}},
        {"OperationTransition", ExchangePart::Step, "",
         {Int("FromOperationID"), Int("ToOperationID"), Int("UnitProcedureID"), Name("TransitionType"),
          Name("OperationTransitionID"), Int("RowKey", R::RowKey)}},
        {"UnitProcedureTransition", ExchangePart::Step, "",
         {Name("UnitProcedureTransitionID"), Int("FromUnitProcedureID"), Int("ToUnitProcedureID"),
          Int("StepID", R::StepRef), Name("TransitionType"), Int("RowKey", R::RowKey)}},
        {"TblFieldLibrary", ExchangePart::Step, "",
         {Int("FieldTypeID", R::RowKey), Name("FieldType"), Name("FieldLabel"), Name("Quantity"), Name("UOM"),
          Int("Scalable")}},
        {"TblGroupData", ExchangePart::Step, "",
         {Int("GroupID", R::RowKey), Int("OperationID"), Int("GroupTypeID"), Int("GroupIndex"), Int("SequenceNumber"),
          Int("OpGroupID")}},
        {"TblFieldData", ExchangePart::Step, "",
         {Int("FieldID", R::RowKey), Int("GroupID"), Int("SubGroupIndex"), Int("FieldTypeID"), Num("DoubleValue"),
          Int("LongValue"), Name("UOM"), Memo("StringValue"), Int("OpFieldID")}},
        {"TblRangeData", ExchangePart::Step, "",
         {Int("RangeID", R::RowKey), Int("GroupID"), Int("SubGroupIndex"), Int("FieldTypeID"), Int("RangeTypeID"),
          Int("RangeCategory"), Num("Low"), Int("LowWidth"), Name("LowUOM"), Num("High"), Int("HighWidth"),
          Name("HighUOM"), Int("OpRangeID")}},
    };
    return tables;
}

const QList<TableEntry>& ExchangeTableEntries()
{
    static const QList<TableEntry> tables = {
        {"StepExchange", ExchangePart::Exchange, "",
         {Int("FormatVersion"), Name("SourceProject"), Name("StepName"), Name("StepVersionName"), Memo("Description"),
          Int("SourceStepID"), Int("RowKey", R::RowKey)}},
        {"ExchangeFacility", ExchangePart::Exchange, "Plant",
         {Int("PlantID", R::ItemKey), Name("PlantName"), Memo("Address"), Int("CalendarID"), Name("City"),
          Name("Country"), Name("State")}},
        {"ExchangeEquipmentClass", ExchangePart::Exchange, "EquipmentClass",
         {Int("EquipmentClassID", R::ItemKey), Name("ClassName")}},
        {"ExchangeEquipment", ExchangePart::Exchange, "ActualEquipmentCommon",
         {Int("ActualEquipmentID", R::ItemKey), Name("QVTag"), Int("EquipmentClassID", R::ClassRef),
          Name("EquipmentType"), Int("PlantID", R::FacilityRef), Int("FactoryID"), Int("BuildingID"), Int("AreaID"),
          Memo("Description"), Int("Pool"), Int("NumberOfUnits"), Num("Capacity"), Name("CapacityUOM"),
          Num("MinimumVolume"), Name("MinimumVolumeUOM"), Name("MaterialOfConstruction"), Num("CleaningTime"),
          Name("CleaningTimeUOM"), Int("CalendarID"), Num("Cost"), Name("CostUOM"), Memo("Comments"),
          Num("LibraryStamp")}},
        {"ExchangeEquipmentProperty", ExchangePart::Exchange, "ActualEquipmentProperty",
         {Int("ActualEquipmentID", R::EquipmentRef), Name("PropertyName"), Num("DoubleValue"), Name("ValueUOM"),
          Memo("TextValue"), Int("RowKey", R::RowKey)}},
        {"ExchangeMaterial", ExchangePart::Exchange, "ActualMaterialCommon",
         {Int("MaterialID", R::ItemKey), Name("MaterialName"), Name("Alias"), Num("AvailablePressure"),
          Name("AvailablePressureUOM"), Num("AvailableTemperature"), Name("AvailableTemperatureUOM"), Name("CASCode"),
          Name("Class"), Memo("Comments"), Name("CompanyCode"), Num("Cost"), Name("CostUOM"), Name("DataSource"),
          Memo("Description"), Int("MaterialTypeID"), Name("MSDSCode"), Name("PurchasingCode"), Memo("SafetyNote"),
          Name("SAPCode"), Name("WhoEntered"), Memo("RuntimeParamLookup"), Name("Phase"), Num("LibraryStamp")}},
        {"ExchangeMaterialProperty", ExchangePart::Exchange, "ActualMaterialProperty",
         {Int("MaterialID", R::MaterialRef), Int("MaterialPropertyID"), Num("DoubleValue"), Name("ValueUOM"),
          Memo("TextValue"), Int("IntegerValue"), Int("RowKey", R::RowKey)}},
        {"ExchangeMixture", ExchangePart::Exchange, "Mixture",
         {Int("MaterialID", R::MaterialRef), Int("ComponentID", R::MaterialRef), Name("Phase"), Num("Amount"),
          Name("AmountUOM"), Int("RowKey", R::RowKey)}},
        {"ExchangeUnitSet", ExchangePart::Exchange, "TblUOMSet",
         {Int("UOMSetID", R::ItemKey), Name("UOMSetName")}},
    };
    return tables;
}

QList<ExchangeColumn> BuildCatalogue()
{
    QList<ExchangeColumn> columns;
    for (const QList<TableEntry>* entries : {&StepTableEntries(), &ExchangeTableEntries()})
        for (const TableEntry& table : *entries)
            for (const ColumnEntry& column : table.columns)
                columns.append({QString::fromLatin1(table.table), QString::fromLatin1(column.column), column.kind,
                                column.role});
    return columns;
}

QList<ExchangeTable> BuildTables()
{
    QList<ExchangeTable> tables;
    for (const QList<TableEntry>* entries : {&StepTableEntries(), &ExchangeTableEntries()})
        for (const TableEntry& table : *entries)
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

QList<ExchangeColumn> ColumnsOfTable(const QString& table)
{
    QList<ExchangeColumn> columns;
    for (const ExchangeColumn& column : ExchangeCatalogue())
        if (column.table.compare(table, Qt::CaseInsensitive) == 0)
            columns.append(column);
    return columns;
}

QStringList ColumnNamesOfTable(const QString& table)
{
    QStringList names;
    for (const ExchangeColumn& column : ColumnsOfTable(table))
        names.append(column.column);
    return names;
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
