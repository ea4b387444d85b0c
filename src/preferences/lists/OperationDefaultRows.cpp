#include "preferences/lists/OperationDefaultRows.h"

#include "foundation/db/recordsets/BulkRows.h"
#include "foundation/db/project/QueryOperationDefaultSet.h"

namespace {

const QString WRITE_DEFAULTS_SQL = QStringLiteral(
    "UPDATE OperationDefaults SET"
    " CurrentDefaultValue = CASE WHEN e.setValue THEN e.value ELSE CurrentDefaultValue END,"
    " CurrentValueUOM = CASE WHEN e.setUnit THEN e.unit ELSE CurrentValueUOM END"
    " FROM (SELECT json_extract(value, '$[0]') AS id, json_extract(value, '$[1]') AS setValue,"
    " json_extract(value, '$[2]') AS value, json_extract(value, '$[3]') AS setUnit,"
    " json_extract(value, '$[4]') AS unit FROM json_each(?)) AS e"
    " WHERE OperationDefaults.OperationDefaultID = e.id");

OperationDefaultRow ReadDefaultRow(const CQueryOperationDefaultSet& set)
{
    OperationDefaultRow row;
    row.id = set.GetLong(QStringLiteral("OperationDefaultID"));
    row.operationName = set.GetText(QStringLiteral("OperationName"));
    row.defaultName = set.GetText(QStringLiteral("DefaultName"));
    row.controlLabel = set.GetText(QStringLiteral("ControlLabel"));
    row.unitList = set.GetText(QStringLiteral("ControlUOMList"));
    row.comboList = set.GetText(QStringLiteral("ComboList"));
    row.kind = int(set.GetLong(QStringLiteral("ControlState")));
    row.validationRule = int(set.GetLong(QStringLiteral("ValidationRule")));
    row.currentValue = set.GetDouble(QStringLiteral("CurrentDefaultValue"));
    row.originalValue = set.GetDouble(QStringLiteral("OriginalValue"));
    row.currentUnit = set.GetText(QStringLiteral("CurrentValueUOM"));
    row.originalUnit = set.GetText(QStringLiteral("OriginalValueUOM"));
    return row;
}

QVariantList JsonWrite(const OperationDefaultWrite& write)
{
    return {qlonglong(write.id), write.value ? 1 : 0, write.value ? QVariant(*write.value) : QVariant(),
            write.unit ? 1 : 0, write.unit ? QVariant(*write.unit) : QVariant()};
}

} // namespace

bool ReadOperationDefaultRows(QList<OperationDefaultRow>* rows)
{
    CQueryOperationDefaultSet set;
    if (!set.OpenSet())
        return false;
    rows->clear();
    for (; !set.IsEOF(); set.MoveNext())
        rows->append(ReadDefaultRow(set));
    set.CloseSet();
    return true;
}

const OperationDefaultRow* FindOperationDefaultRow(const QList<OperationDefaultRow>& rows, long id)
{
    for (const OperationDefaultRow& row : rows)
        if (row.id == id)
            return &row;
    return nullptr;
}

void WriteOperationDefaults(CDaoDatabase& database, const QList<OperationDefaultWrite>& writes)
{
    if (writes.isEmpty())
        return;
    QList<QVariantList> rows;
    for (const OperationDefaultWrite& write : writes)
        rows << JsonWrite(write);
    ExecKept(database, QStringLiteral("OperationDefaults"), WRITE_DEFAULTS_SQL, {JsonRows(rows)});
}
