// Reading what the recipe text composer needs: the settings of a regeneration from the project's
// databases, and operations from their step database, one or many together in a few statements.

#include "foundation/db/content/RecipeTextComposer.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/recordsets/JsonIds.h"
#include "foundation/db/content/RecipeTextPatterns.h"

#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <climits>
#include <tuple>
#include <vector>

namespace {

// Each row of the statement on the database; nothing when it is missing or the read fails (a
// table an older file lacks).
template <typename Reader> void ReadTextRows(CDaoDatabase* database, const char* sql, Reader read)
{
    if (!database || !database->IsOpen())
        return;
    try {
        QSqlQuery query = database->Query(QString::fromLatin1(sql));
        while (query.next())
            read(query);
    } catch (const CDaoException&) {
    }
}

void ReadTextNames(CDaoDatabase* database, const char* sql, QHash<long, QString>& names)
{
    ReadTextRows(database, sql, [&names](const QSqlQuery& row) {
        names.insert(long(row.value(0).toLongLong()), row.value(1).toString());
    });
}

void ReadTextOptions(CDaoDatabase* project, RecipeTextSettings& settings)
{
    ReadTextRows(project, "SELECT Options, Value FROM TextRecipeOptions ORDER BY RowKey",
                 [&](const QSqlQuery& row) {
                     const QString option = row.value(0).toString();
                     if (option.compare(QLatin1String("RangeTypeID"), Qt::CaseInsensitive) == 0)
                         settings.rangeTypes.append(long(row.value(1).toLongLong()));
                     else if (!row.value(1).isNull() && row.value(1).toLongLong() != 0)
                         settings.options.insert(option.toLower());
                 });
}

void ReadTextRounding(CDaoDatabase* project, RecipeTextSettings& settings)
{
    std::vector<RoundingBand> bands;
    if (settings.IsOn("RoundValues"))
        ReadTextRows(
            project,
            "SELECT UpperLimit, Type, Precision FROM \"PREFER-ResultRounding\" ORDER BY UpperLimit, RowKey",
            [&bands](const QSqlQuery& row) {
                bands.push_back(
                    {row.value(0).toDouble(), row.value(1).toString(), long(row.value(2).toLongLong())});
            });
    settings.rounding.SetRules(settings.IsOn("RoundValues"), std::move(bands));
}

// The first default path of each (facility, equipment item).
void ReadEmissionPaths(CDaoDatabase* project, RecipeTextSettings& settings)
{
    ReadTextRows(
        project,
        "SELECT d.PlantID, d.EquipmentID, p.EmissionControlPathName FROM \"PREFER-DefaultECP\" d"
        " JOIN TblEmissionControlPath p ON p.EmissionControlPathID = d.EmissionControlPathID ORDER BY "
        "d.RowKey",
        [&settings](const QSqlQuery& row) {
            const QPair<long, long> key{long(row.value(0).toLongLong()), long(row.value(1).toLongLong())};
            if (!settings.emissionPaths.contains(key))
                settings.emissionPaths.insert(key, row.value(2).toString());
        });
}

void ReadTextLanguage(CDaoDatabase* language, RecipeTextSettings& settings)
{
    ReadTextRows(language, "SELECT LanguageName FROM LanguageInfo ORDER BY RowKey LIMIT 1",
                 [&settings](const QSqlQuery& row) { settings.language = row.value(0).toString(); });
    ReadTextRows(language, "SELECT WordKey, WordText FROM RecipeTextWord", [&settings](const QSqlQuery& row) {
        const QString key = row.value(0).toString();
        if (key.compare(QLatin1String("Ranges"), Qt::CaseInsensitive) == 0)
            settings.rangesWord = row.value(1).toString();
        else if (key.compare(QLatin1String("To"), Qt::CaseInsensitive) == 0)
            settings.toWord = row.value(1).toString();
        else if (key.compare(QLatin1String("Out Of Step"), Qt::CaseInsensitive) == 0)
            settings.outOfStepWord = row.value(1).toString();
        else if (key.compare(QLatin1String("Or"), Qt::CaseInsensitive) == 0)
            settings.orWord = row.value(1).toString();
        else if (key.compare(QLatin1String("And"), Qt::CaseInsensitive) == 0)
            settings.andWord = row.value(1).toString();
    });
}

} // namespace

RecipeTextSettings LoadRecipeTextSettings(const RecipeTextSources& sources)
{
    RecipeTextSettings settings;
    ReadTextOptions(sources.project, settings);
    ReadTextRounding(sources.project, settings);
    ReadTextNames(sources.project, "SELECT OperationTypeID, OperationTypeName FROM OperationsLibrary",
                  settings.typeNames);
    ReadTextNames(sources.project, "SELECT RangeTypeID, Description FROM TblRangeLibrary",
                  settings.rangeTypeNames);
    ReadTextNames(sources.project, "SELECT StreamCategoryID, StreamCategory FROM StreamCategoryTable",
                  settings.streamCategories);
    ReadTextNames(sources.project, "SELECT LaborGradeID, LaborGrade FROM TblLaborCategory",
                  settings.laborGrades);
    ReadEmissionPaths(sources.project, settings);
    ReadTextNames(sources.equipment, "SELECT ActualEquipmentID, QVTag FROM ActualEquipmentCommon",
                  settings.equipment);
    ReadTextNames(sources.material, "SELECT MaterialID, MaterialName FROM ActualMaterialCommon",
                  settings.materials);
    ReadTextNames(sources.material, "SELECT ReactionDataSetID, ReactionDataSetName FROM ReactionDataSetTable",
                  settings.reactionSets);
    ReadTextLanguage(sources.language, settings);
    return settings;
}

namespace {

// Operations with their unit procedure's equipment, the step's facility, and then their id and
// unit procedure.
const char* const TEXT_OPERATION_FROM =
    "SELECT o.OperationTypeID, o.QuorvantaLabel, u.PrimaryEquipmentID,"
    " (SELECT PlantID FROM Step ORDER BY StepID LIMIT 1), o.OperationID, o.UnitProcedureID"
    " FROM Operation o LEFT JOIN UnitProcedure u ON u.UnitProcedureID = o.UnitProcedureID";
// Fields and ranges of operations, each with its field type's name and label, then the five
// numbers that put it in group order and its operation. An operation has a few: they are put in
// order in memory, as a sort in the engine costs more than reading them.
const char* const TEXT_FIELD_FROM =
    "SELECT l.FieldType, COALESCE(l.FieldLabel, 'Field ' || f.FieldTypeID), f.DoubleValue, f.LongValue,"
    " f.UOM, f.StringValue, g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID, g.OperationID"
    " FROM TblGroupData g JOIN TblFieldData f ON f.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID";
const char* const TEXT_RANGE_FROM =
    "SELECT COALESCE(l.FieldLabel, 'Field ' || r.FieldTypeID), r.RangeTypeID, r.Low, r.LowUOM, r.High,"
    " r.HighUOM, g.SequenceNumber, g.GroupIndex, g.GroupID, r.SubGroupIndex, r.RangeID, g.OperationID"
    " FROM TblGroupData g JOIN TblRangeData r ON r.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = r.FieldTypeID";
constexpr int TEXT_ORDER_COLUMN = 6;
constexpr int TEXT_OWNER_COLUMN = 11;
// The operation of ?1 alone, or those of the JSON array ?1.
const char* const ONE_OPERATION = " WHERE o.OperationID = ?";
const char* const ONE_OPERATION_GROUPS = " WHERE g.OperationID = ?";
const char* const LISTED_OPERATIONS = " WHERE o.OperationID IN (SELECT value FROM json_each(?))";
const char* const LISTED_OPERATION_GROUPS = " WHERE g.OperationID IN (SELECT value FROM json_each(?))";

// The unit procedures unit procedure ?1 goes to by the step's transitions, in their order, each
// with the transition's type and its primary equipment.
const char* const TEXT_TRANSITIONS_SQL =
    "SELECT t.TransitionType, u.PrimaryEquipmentID FROM UnitProcedureTransition t"
    " LEFT JOIN UnitProcedure u ON u.UnitProcedureID = t.ToUnitProcedureID"
    " WHERE t.FromUnitProcedureID = ?1 ORDER BY t.RowKey";
// Whether the step holds transitions at all: a step whose transitions were never built has none.
const char* const TEXT_HAS_TRANSITIONS_SQL = "SELECT EXISTS (SELECT 1 FROM UnitProcedureTransition)";
// Without transitions: the unit procedure after unit procedure ?1 in recipe order of step ?2, with
// its primary equipment; no row after the last one. Both recipe rows are found through the step's
// indexes.
const char* const TEXT_NEXT_UNIT_SQL =
    "SELECT n.ID, u.PrimaryEquipmentID FROM TextRecipe n"
    " LEFT JOIN UnitProcedure u ON u.UnitProcedureID = n.ID"
    " WHERE n.StepID = ?2 AND n.Type = 'Unit Procedure' AND n.RecipeSequenceNumber > (SELECT"
    "   h.RecipeSequenceNumber FROM TextRecipe h WHERE h.StepID = ?2 AND h.ID = ?1"
    "   AND h.Type = 'Unit Procedure')"
    " ORDER BY n.RecipeSequenceNumber LIMIT 1";

QString TextSql(const char* from, const char* where)
{
    return QLatin1String(from) + QLatin1String(where);
}

double TextNumberOrUnset(const QVariant& value)
{
    return value.isNull() ? 1e35 : value.toDouble();
}

long TextIdOrNone(const QVariant& value)
{
    return value.isNull() ? -1 : long(value.toLongLong());
}

// An operation as read, with the unit procedure its destination follows (-1: none).
struct ReadOperation {
    RecipeTextOperation operation;
    long unitProcedureID = -1;
};

void ReadTextOperations(CDaoDatabase& step, const QString& sql, const QVariant& operations,
                        QHash<long, ReadOperation>& read)
{
    ExecKept(step, QStringLiteral("Operation"), sql, {operations}, [&read](KeptResult& row) {
        while (row.next()) {
            ReadOperation& found = read[long(row.value(4).toLongLong())];
            found.operation = {long(row.value(0).toLongLong()), row.value(1).toString(), TextIdOrNone(row.value(2)),
                               TextIdOrNone(row.value(3)), {}, {}};
            found.unitProcedureID = TextIdOrNone(row.value(5));
        }
    });
}

// The rows of the statement, each made by make from the row as read, by operation and in group
// order.
template <typename Item, typename Make>
QHash<long, QList<Item>> ReadInGroupOrder(CDaoDatabase& step, const char* table, const QString& sql,
                                          const QVariant& operations, Make make)
{
    using OrderKey = std::array<qlonglong, 5>;
    std::vector<std::tuple<long, OrderKey, Item>> read;
    ExecKept(step, QString::fromLatin1(table), sql, {operations}, [&read, &make](KeptResult& row) {
        while (row.next()) {
            OrderKey key;
            for (int i = 0; i < int(key.size()); ++i) {
                const QVariant number = row.value(TEXT_ORDER_COLUMN + i);
                key[size_t(i)] = number.isNull() ? LLONG_MIN : number.toLongLong(); // NULL first
            }
            read.emplace_back(long(row.value(TEXT_OWNER_COLUMN).toLongLong()), key, make(row));
        }
    });
    std::sort(read.begin(), read.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    QHash<long, QList<Item>> items;
    for (auto& [operationID, key, item] : read)
        items[operationID].append(std::move(item));
    return items;
}

QHash<long, QList<RecipeTextField>> ReadTextFields(CDaoDatabase& step, const QString& sql,
                                                   const QVariant& operations)
{
    return ReadInGroupOrder<RecipeTextField>(step, "TblFieldData", sql, operations, [](KeptResult& row) {
        return RecipeTextField{row.value(0).toString(),         row.value(1).toString(),
                               TextNumberOrUnset(row.value(2)), row.value(3),
                               row.value(4).toString(),         row.value(5).toString()};
    });
}

QHash<long, QList<RecipeTextRange>> ReadTextRanges(CDaoDatabase& step, const QString& sql,
                                                   const QVariant& operations)
{
    return ReadInGroupOrder<RecipeTextRange>(step, "TblRangeData", sql, operations, [](KeptResult& row) {
        return RecipeTextRange{row.value(0).toString(),         TextIdOrNone(row.value(1)),
                               TextNumberOrUnset(row.value(2)), row.value(3).toString(),
                               TextNumberOrUnset(row.value(4)), row.value(5).toString()};
    });
}

bool NamesDestination(long operationTypeID)
{
    return RecipeTextPattern(operationTypeID, QLatin1String(DEFAULT_RECIPE_LANGUAGE))
        .contains(QLatin1String("{Destination}"), Qt::CaseInsensitive);
}

// The destination by the next unit procedure in recipe order, for a step without transitions.
void ReadTextNextUnit(CDaoDatabase& step, long stepID, long unitProcedureID, RecipeTextOperation& operation)
{
    ExecKept(step, QStringLiteral("TextRecipe"), QString::fromLatin1(TEXT_NEXT_UNIT_SQL),
             {qlonglong(unitProcedureID), qlonglong(stepID)}, [&operation](KeptResult& row) {
                 if (!row.next())
                     return;
                 operation.leavesStep = false;
                 operation.destinationID = TextIdOrNone(row.value(1));
             });
}

bool StepHasTransitions(CDaoDatabase& step)
{
    bool has = false;
    ExecKept(step, QStringLiteral("UnitProcedureTransition"), QString::fromLatin1(TEXT_HAS_TRANSITIONS_SQL),
             {}, [&has](KeptResult& row) { has = row.next() && row.value(0).toLongLong() != 0; });
    return has;
}

// Where a transfer of an operation under that unit procedure sends the contents: by the step's
// transitions, one unit procedure or a block's branches; without any, by recipe order.
void ReadTextDestination(CDaoDatabase& step, long stepID, long unitProcedureID,
                         RecipeTextOperation& operation)
{
    operation.leavesStep = true;
    if (unitProcedureID < 0)
        return;
    QList<long> vessels;
    bool intoBlock = false;
    ExecKept(step, QStringLiteral("UnitProcedureTransition"), QString::fromLatin1(TEXT_TRANSITIONS_SQL),
             {qlonglong(unitProcedureID)}, [&](KeptResult& row) {
                 while (row.next()) {
                     const QString type = row.value(0).toString();
                     intoBlock = intoBlock || type.startsWith(QLatin1String("Start"), Qt::CaseInsensitive);
                     operation.toAllDestinations =
                         type.compare(QLatin1String("Start Parallel"), Qt::CaseInsensitive) == 0;
                     vessels.append(TextIdOrNone(row.value(1)));
                 }
             });
    if (vessels.isEmpty()) {
        if (!StepHasTransitions(step))
            ReadTextNextUnit(step, stepID, unitProcedureID, operation);
        return;
    }
    operation.leavesStep = false;
    operation.destinationID = vessels.first();
    if (intoBlock && vessels.size() > 1)
        operation.destinationIDs = vessels;
}

} // namespace

bool ReadRecipeTextOperation(CDaoDatabase& step, long stepID, long operationID, RecipeTextOperation& operation)
{
    static const QString operationSql = TextSql(TEXT_OPERATION_FROM, ONE_OPERATION);
    static const QString fieldSql = TextSql(TEXT_FIELD_FROM, ONE_OPERATION_GROUPS);
    static const QString rangeSql = TextSql(TEXT_RANGE_FROM, ONE_OPERATION_GROUPS);
    const QVariant id = qlonglong(operationID);
    QHash<long, ReadOperation> read;
    ReadTextOperations(step, operationSql, id, read);
    if (!read.contains(operationID))
        return false;
    operation = read.value(operationID).operation;
    operation.fields = ReadTextFields(step, fieldSql, id).value(operationID);
    operation.ranges = ReadTextRanges(step, rangeSql, id).value(operationID);
    if (NamesDestination(operation.operationTypeID))
        ReadTextDestination(step, stepID, read.value(operationID).unitProcedureID, operation);
    return true;
}

QHash<long, RecipeTextOperation> ReadRecipeTextOperations(CDaoDatabase& step, long stepID,
                                                          const QList<long>& operationIDs)
{
    static const QString operationSql = TextSql(TEXT_OPERATION_FROM, LISTED_OPERATIONS);
    static const QString fieldSql = TextSql(TEXT_FIELD_FROM, LISTED_OPERATION_GROUPS);
    static const QString rangeSql = TextSql(TEXT_RANGE_FROM, LISTED_OPERATION_GROUPS);
    const QVariant ids = JsonIds(operationIDs);
    QHash<long, ReadOperation> read;
    ReadTextOperations(step, operationSql, ids, read);
    QHash<long, QList<RecipeTextField>> fields = ReadTextFields(step, fieldSql, ids);
    QHash<long, QList<RecipeTextRange>> ranges = ReadTextRanges(step, rangeSql, ids);
    QHash<long, bool> typesNamingDestination;
    const auto namesDestination = [&typesNamingDestination](long operationTypeID) {
        auto found = typesNamingDestination.find(operationTypeID);
        if (found == typesNamingDestination.end())
            found = typesNamingDestination.insert(operationTypeID, NamesDestination(operationTypeID));
        return *found;
    };
    QHash<long, RecipeTextOperation> destinations; // by unit procedure: the destination alone
    QHash<long, RecipeTextOperation> operations;
    operations.reserve(read.size());
    for (auto it = read.begin(); it != read.end(); ++it) {
        RecipeTextOperation& operation = operations[it.key()] = std::move(it->operation);
        operation.fields = fields.take(it.key());
        operation.ranges = ranges.take(it.key());
        if (!namesDestination(operation.operationTypeID))
            continue;
        auto destination = destinations.find(it->unitProcedureID);
        if (destination == destinations.end()) {
            destination = destinations.insert(it->unitProcedureID, {});
            ReadTextDestination(step, stepID, it->unitProcedureID, *destination);
        }
        std::tie(operation.destinationID, operation.destinationIDs, operation.toAllDestinations,
                 operation.leavesStep) = std::tuple(destination->destinationID, destination->destinationIDs,
                                                    destination->toAllDestinations, destination->leavesStep);
    }
    return operations;
}
