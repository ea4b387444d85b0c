#include "modules/engine/EngineStepModel.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/SharedDatabases.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <tuple>

namespace {

long LongOf(const QSqlQuery& query, int column)
{
    return long(query.value(column).toLongLong());
}

long LongOf(const KeptResult& row, int column)
{
    return long(row.value(column).toLongLong());
}

// The large reads go row by row through a statement the connection keeps prepared: no copy of
// every row is cached on the way, as a query would.
void ForEachRow(CDaoDatabase& database, const QString& table, const QString& sql,
                const std::function<void(const KeptResult&)>& use)
{
    ExecKept(database, table, sql, {}, [&use](KeptResult& rows) {
        while (rows.next())
            use(rows);
    });
}

// The transitions in one order, whatever order they were read in; made for thousands of them.
QString FingerprintOf(const QList<EngineTransition>& transitions)
{
    using Key = std::tuple<long, long, long, int>;
    QList<Key> keys;
    keys.reserve(transitions.size());
    for (const EngineTransition& transition : transitions)
        keys.append({transition.from, transition.to, transition.owner, int(transition.kind)});
    std::sort(keys.begin(), keys.end());
    QString text;
    text.reserve(keys.size() * 24);
    for (const auto& [from, to, owner, kind] : std::as_const(keys)) {
        const std::pair<long, char> numbers[] = {{from, '>'}, {to, '@'}, {owner, ':'}, {long(kind), ';'}};
        char part[96];
        char* end = part;
        for (const auto& [number, mark] : numbers) {
            end = std::to_chars(end, part + sizeof(part) - 1, number).ptr;
            *end++ = mark;
        }
        text += QLatin1String(part, end - part);
    }
    return text;
}

double DelaySeconds(const QVariant& delay, const QString& uom)
{
    if (delay.isNull())
        return 0;
    const double seconds = ToEngineUnit(OperationField::Duration, delay.toDouble(), uom);
    return seconds == 1e35 || seconds < 0 ? 0 : seconds;
}

// A parameter in the engine's unit (the first convertible value wins); amounts and volumes also as
// stored, for the balance.
void KeepValue(EngineOperation& operation, OperationField field, const EngineQuantity& quantity)
{
    if (field == OperationField::Amount && operation.amount.value == 1e35)
        operation.amount = quantity;
    else if (field == OperationField::Volume && operation.volume.value == 1e35)
        operation.volume = quantity;
    const double value = ToEngineUnit(field, quantity.value, quantity.uom);
    OperationParameters& parameters = operation.parameters;
    double* slot = field == OperationField::Duration ? &parameters.duration
                   : field == OperationField::Amount ? &parameters.amount
                   : field == OperationField::Volume ? &parameters.volume
                                                     : &parameters.temperature;
    if (value != 1e35 && *slot == 1e35)
        *slot = value;
}

void KeepReference(EngineOperation& operation, long fieldType, long itemID)
{
    long& slot = fieldType == long(LibraryReferenceField::Material)   ? operation.materialID
                 : fieldType == long(LibraryReferenceField::Reaction) ? operation.reactionSetID
                                                                      : operation.keyComponentID;
    if (slot == 0)
        slot = std::max(0L, itemID);
}

const QString OPERATION_TRANSITIONS = QStringLiteral(
    "SELECT FromOperationID, ToOperationID, UnitProcedureID, TransitionType FROM OperationTransition "
    "ORDER BY RowKey");
const QString UNIT_PROCEDURE_TRANSITIONS = QStringLiteral(
    "SELECT FromUnitProcedureID, ToUnitProcedureID, StepID, TransitionType FROM UnitProcedureTransition "
    "ORDER BY RowKey");

} // namespace

EngineTransitionKind ParseTransitionKind(const QString& type)
{
    static const QList<std::pair<QString, EngineTransitionKind>> kinds = {
        {QStringLiteral("Series"), EngineTransitionKind::Series},
        {QStringLiteral("Start Parallel"), EngineTransitionKind::StartParallel},
        {QStringLiteral("Start Or"), EngineTransitionKind::StartOr},
        {QStringLiteral("End Parallel"), EngineTransitionKind::EndParallel},
        {QStringLiteral("End Or"), EngineTransitionKind::EndOr}};
    for (const auto& [name, kind] : kinds) {
        if (type.compare(name, Qt::CaseInsensitive) == 0)
            return kind;
    }
    return EngineTransitionKind::Other;
}

QString EngineStepModel::TransitionFingerprint() const
{
    return FingerprintOf(unitProcedureTransitions) + u'|' + FingerprintOf(operationTransitions);
}

EngineStepModel CEngineStepReader::Read(long stepID)
{
    EngineStepModel model;
    model.stepID = stepID;
    ReadStartIDs(model);
    ReadTransitions(model);
    ReadItems(model);
    ReadKeyMaterials(model);
    ReadRecipeLines(model);
    ReadConstraints(model);
    ReadVessels(model);
    return model;
}

QString CEngineStepReader::ReadTransitionFingerprint(long stepID)
{
    EngineStepModel model;
    model.stepID = stepID;
    ReadTransitions(model);
    return model.TransitionFingerprint();
}

long CEngineStepReader::FirstID(const QString& sql, long fallback)
{
    QSqlQuery query = m_db.Query(sql);
    return query.next() && !query.value(0).isNull() ? LongOf(query, 0) : fallback;
}

void CEngineStepReader::ReadStartIDs(EngineStepModel& model)
{
    model.startUnitProcedureID = FirstID(QStringLiteral("SELECT UnitProcedureID FROM QrySTARTUnitProcedure"), 1);
    model.startOperationID = FirstID(QStringLiteral("SELECT OperationID FROM QrySTARTOperation"), 1);
}

void CEngineStepReader::ReadTransitions(EngineStepModel& model)
{
    const auto read = [this](const QString& table, const QString& sql, QList<EngineTransition>& into) {
        ForEachRow(m_db, table, sql, [&into](const KeptResult& row) {
            into.append({LongOf(row, 0), LongOf(row, 1), LongOf(row, 2),
                         ParseTransitionKind(row.value(3).toString())});
        });
    };
    read(QStringLiteral("UnitProcedureTransition"), UNIT_PROCEDURE_TRANSITIONS, model.unitProcedureTransitions);
    read(QStringLiteral("OperationTransition"), OPERATION_TRANSITIONS, model.operationTransitions);
}

void CEngineStepReader::ReadItems(EngineStepModel& model)
{
    ForEachRow(m_db, QStringLiteral("UnitProcedure"),
               QStringLiteral("SELECT UnitProcedureID, PrimaryEquipmentID FROM UnitProcedure"),
               [&model](const KeptResult& unit) {
                   model.unitProcedures.insert(LongOf(unit, 0), {std::max(0L, LongOf(unit, 1))});
               });
    ForEachRow(m_db, QStringLiteral("Operation"),
               QStringLiteral("SELECT OperationID, UnitProcedureID, OperationTypeID FROM Operation"),
               [&model](const KeptResult& operation) {
                   model.operations.insert(LongOf(operation, 0),
                                           {LongOf(operation, 1), LongOf(operation, 2), {}, {}, {}, 0, 0, 0});
               });
    ReadFields(model);
}

void CEngineStepReader::ReadFields(EngineStepModel& model)
{
    // One pass over the field rows; the first value of each field wins, in group and field order.
    const QString sql = QStringLiteral(
        "SELECT g.OperationID, f.FieldTypeID, f.DoubleValue, f.UOM, f.LongValue FROM TblFieldData f "
        "JOIN TblGroupData g ON g.GroupID = f.GroupID WHERE (f.FieldTypeID BETWEEN 100001 AND 100006 OR "
        "f.FieldTypeID = 100010) "
        "ORDER BY g.OperationID, g.SequenceNumber, g.GroupIndex, g.GroupID, f.SubGroupIndex, f.FieldID");
    ForEachRow(m_db, QStringLiteral("TblFieldData"), sql, [&model](const KeptResult& row) {
        const auto found = model.operations.find(LongOf(row, 0));
        if (found == model.operations.end())
            return;
        const long type = LongOf(row, 1);
        if (type == long(LibraryReferenceField::Material) || type == long(LibraryReferenceField::Reaction) ||
            type == long(LibraryReferenceField::KeyComponent)) {
            const QVariant item = row.value(4);
            KeepReference(*found, type, item.isNull() ? 0 : long(item.toLongLong()));
            return;
        }
        const QVariant value = row.value(2);
        KeepValue(*found, OperationField(type),
                  EngineQuantity{value.isNull() ? 1e35 : value.toDouble(), row.value(3).toString()});
    });
}

void CEngineStepReader::ReadKeyMaterials(EngineStepModel& model)
{
    QSqlQuery row =
        m_db.Query(QStringLiteral("SELECT KeyInputIntermediateID, KeyOutputIntermediateID FROM Step "
                                  "ORDER BY StepID = ? DESC LIMIT 1"),
                   {qlonglong(model.stepID)});
    if (!row.next())
        return;
    model.keyInputID = std::max(0L, LongOf(row, 0));
    model.keyOutputID = std::max(0L, LongOf(row, 1));
}

void CEngineStepReader::ReadRecipeLines(EngineStepModel& model)
{
    const QString sql = QStringLiteral(
        "SELECT ID, Type, RecipeSequenceNumber, Breakpoint, Label, OperationName, UnitProcedureName "
        "FROM TextRecipe WHERE Type IN ('Operation', 'Unit Procedure') ORDER BY RecipeSequenceNumber, RowKey");
    ForEachRow(m_db, QStringLiteral("TextRecipe"), sql, [&model](const KeptResult& line) {
        const bool operation = line.value(1).toString().compare(QLatin1String("Operation"), Qt::CaseInsensitive) == 0;
        QHash<long, EngineRecipeLine>& into = operation ? model.operationLines : model.unitProcedureLines;
        const QString name = line.value(operation ? 5 : 6).toString();
        const QString text = (line.value(4).toString() + u' ' + name).trimmed();
        into.insert(LongOf(line, 0), {LongOf(line, 2), line.value(3).toLongLong() != 0, text});
    });
}

void CEngineStepReader::ReadConstraints(EngineStepModel& model)
{
    const auto read = [this](const QString& table, const QString& current, const QString& parameter,
                             QList<EngineConstraint>& into) {
        QSqlQuery rows = m_db.Query(QStringLiteral("SELECT %1, ConditionalLogic, %2, Delay, DelayUOM FROM %3 "
                                                   "WHERE %1 IS NOT NULL AND %2 IS NOT NULL ORDER BY RowKey")
                                        .arg(current, parameter, table));
        while (rows.next()) {
            const QString logic = rows.value(1).toString();
            const bool after = logic.compare(QLatin1String("Starts-After"), Qt::CaseInsensitive) == 0;
            if (after || logic.compare(QLatin1String("Parallel-To"), Qt::CaseInsensitive) == 0)
                into.append({LongOf(rows, 0), LongOf(rows, 2), after,
                             DelaySeconds(rows.value(3), rows.value(4).toString())});
        }
    };
    read(QStringLiteral("OperationConditionalLogicParameter"), QStringLiteral("CurrentOperationID"),
         QStringLiteral("OperationParameterID"), model.operationConstraints);
    read(QStringLiteral("UnitProcedureConditionalLogicParameter"), QStringLiteral("CurrentUnitProcedureID"),
         QStringLiteral("UnitProcedureParameterID"), model.unitProcedureConstraints);
}

void CEngineStepReader::ReadVessels(EngineStepModel& model)
{
    CDaoDatabase* equipment = GetSharedEquipmentDB();
    if (!equipment)
        return;
    QSqlQuery rows = equipment->Query(QStringLiteral(
        "SELECT ActualEquipmentID, Capacity, CapacityUOM, MinimumVolume, MinimumVolumeUOM FROM ActualEquipmentCommon"));
    while (rows.next()) {
        const auto litres = [&rows](int value, int uom) {
            return rows.value(value).isNull()
                       ? 1e35
                       : ToEngineUnit(OperationField::Volume, rows.value(value).toDouble(), rows.value(uom).toString());
        };
        model.vessels.insert(LongOf(rows, 0), {litres(1, 2), litres(3, 4)});
    }
}
