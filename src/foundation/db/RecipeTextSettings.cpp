// Reading what the recipe text composer needs: the settings of a regeneration from the project's
// databases, and one operation from its step database.

#include "foundation/db/RecipeTextComposer.h"

#include "foundation/db/BulkRows.h"
#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DaoException.h"
#include "foundation/db/RecipeTextPatterns.h"

#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <climits>
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
    });
}

// One operation's row with its unit procedure's equipment and the step's facility.
const char* const TEXT_OPERATION_SQL =
    "SELECT o.OperationTypeID, o.QuorvantaLabel, u.PrimaryEquipmentID, (SELECT PlantID FROM Step ORDER BY "
    "StepID"
    " LIMIT 1) FROM Operation o LEFT JOIN UnitProcedure u ON u.UnitProcedureID = o.UnitProcedureID"
    " WHERE o.OperationID = ?";
// Fields and ranges of an operation, each with its field type's name and label, and then the five
// numbers that put it in group order. An operation has a few: they are put in order in memory,
// as a sort in the engine costs more than reading them.
const char* const TEXT_FIELD_SQL =
    "SELECT l.FieldType, COALESCE(l.FieldLabel, 'Field ' || f.FieldTypeID), f.DoubleValue, f.LongValue,"
    " f.UOM, f.StringValue, g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID"
    " FROM TblGroupData g JOIN TblFieldData f ON f.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = f.FieldTypeID WHERE g.OperationID = ?";
const char* const TEXT_RANGE_SQL =
    "SELECT COALESCE(l.FieldLabel, 'Field ' || r.FieldTypeID), r.RangeTypeID, r.Low, r.LowUOM, r.High,"
    " r.HighUOM, g.SequenceNumber, g.GroupIndex, g.GroupID, r.SubGroupIndex, r.RangeID"
    " FROM TblGroupData g JOIN TblRangeData r ON r.GroupID = g.GroupID"
    " LEFT JOIN TblFieldLibrary l ON l.FieldTypeID = r.FieldTypeID WHERE g.OperationID = ?";
constexpr int TEXT_ORDER_COLUMN = 6;

// The unit procedure after the operation's own in recipe order (?1) of step ?2, with its primary
// equipment; no row when the operation's unit procedure is the last. Both recipe rows are found
// through the step's indexes: the walk ends at the next unit procedure line.
const char* const TEXT_NEXT_UNIT_SQL =
    "SELECT n.ID, u.PrimaryEquipmentID FROM TextRecipe n"
    " LEFT JOIN UnitProcedure u ON u.UnitProcedureID = n.ID"
    " WHERE n.StepID = ?2 AND n.Type = 'Unit Procedure' AND n.RecipeSequenceNumber > (SELECT"
    "   h.RecipeSequenceNumber FROM Operation o JOIN TextRecipe h ON h.StepID = ?2"
    "   AND h.ID = o.UnitProcedureID AND h.Type = 'Unit Procedure' WHERE o.OperationID = ?1)"
    " ORDER BY n.RecipeSequenceNumber LIMIT 1";

double TextNumberOrUnset(const QVariant& value)
{
    return value.isNull() ? 1e35 : value.toDouble();
}

long TextIdOrNone(const QVariant& value)
{
    return value.isNull() ? -1 : long(value.toLongLong());
}

// The rows of the statement in group order, each made by make from the row as read.
template <typename Item, typename Make>
QList<Item> ReadInGroupOrder(CDaoDatabase& step, const char* table, const char* sql, long operationID,
                             Make make)
{
    using OrderKey = std::array<qlonglong, 5>;
    std::vector<std::pair<OrderKey, Item>> read;
    ExecKept(step, QString::fromLatin1(table), QString::fromLatin1(sql), {qlonglong(operationID)},
             [&read, &make](KeptResult& row) {
                 while (row.next()) {
                     OrderKey key;
                     for (int i = 0; i < int(key.size()); ++i) {
                         const QVariant number = row.value(TEXT_ORDER_COLUMN + i);
                         key[size_t(i)] = number.isNull() ? LLONG_MIN : number.toLongLong(); // NULL first
                     }
                     read.emplace_back(key, make(row));
                 }
             });
    std::sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<Item> items;
    items.reserve(qsizetype(read.size()));
    for (auto& [key, item] : read)
        items.append(std::move(item));
    return items;
}

void ReadTextFields(CDaoDatabase& step, long operationID, RecipeTextOperation& operation)
{
    operation.fields += ReadInGroupOrder<RecipeTextField>(
        step, "TblFieldData", TEXT_FIELD_SQL, operationID, [](KeptResult& row) {
            return RecipeTextField{row.value(0).toString(),         row.value(1).toString(),
                                   TextNumberOrUnset(row.value(2)), row.value(3),
                                   row.value(4).toString(),         row.value(5).toString()};
        });
}

void ReadTextRanges(CDaoDatabase& step, long operationID, RecipeTextOperation& operation)
{
    operation.ranges += ReadInGroupOrder<RecipeTextRange>(
        step, "TblRangeData", TEXT_RANGE_SQL, operationID, [](KeptResult& row) {
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

void ReadTextDestination(CDaoDatabase& step, long stepID, long operationID, RecipeTextOperation& operation)
{
    operation.leavesStep = true;
    ExecKept(step, QStringLiteral("TextRecipe"), QString::fromLatin1(TEXT_NEXT_UNIT_SQL),
             {qlonglong(operationID), qlonglong(stepID)}, [&operation](KeptResult& row) {
                 if (!row.next())
                     return;
                 operation.leavesStep = false;
                 operation.destinationID = TextIdOrNone(row.value(1));
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

bool ReadRecipeTextOperation(CDaoDatabase& step, long stepID, long operationID, RecipeTextOperation& operation)
{
    bool found = false;
    ExecKept(step, QStringLiteral("Operation"), QString::fromLatin1(TEXT_OPERATION_SQL),
             {qlonglong(operationID)}, [&](KeptResult& row) {
                 if (!row.next())
                     return;
                 found = true;
                 operation = {long(row.value(0).toLongLong()),
                              row.value(1).toString(),
                              TextIdOrNone(row.value(2)),
                              TextIdOrNone(row.value(3)),
                              {},
                              {}};
             });
    if (!found)
        return false;
    ReadTextFields(step, operationID, operation);
    ReadTextRanges(step, operationID, operation);
    if (NamesDestination(operation.operationTypeID))
        ReadTextDestination(step, stepID, operationID, operation);
    return true;
}
