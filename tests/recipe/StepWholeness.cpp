#include "StepWholeness.h"

#include "foundation/common/Array.h"
#include "foundation/db/connection/DaoDatabase.h"
#include "recipe/transitions/RecipeTransitionPass.h"
#include "recipe/transitions/StructureMessages.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <exception>

namespace {
// The first row of the query as "a|b|c"; empty when it has none.
QString FirstRow(CDaoDatabase& step, const QString& sql)
{
    QSqlQuery query = step.Query(sql);
    if (!query.next())
        return {};
    QStringList values;
    for (int column = 0; column < query.record().count(); ++column)
        values << query.value(column).toString();
    return values.join('|');
}

QStringList Column(CDaoDatabase& step, const QString& sql)
{
    QStringList values;
    QSqlQuery query = step.Query(sql);
    while (query.next())
        values << query.value(0).toString();
    return values;
}

// Each query lists what is wrong; the first row found is the fault.
QString FirstFault(CDaoDatabase& step, const QList<std::pair<const char*, const char*>>& checks)
{
    for (const auto& [what, sql] : checks) {
        const QString row = FirstRow(step, QString::fromLatin1(sql));
        if (!row.isEmpty())
            return QString::fromLatin1(what) + ": " + row;
    }
    return {};
}

bool IsItemType(const QString& type)
{
    return type.compare("Unit Procedure", Qt::CaseInsensitive) == 0 ||
           type.compare("Operation", Qt::CaseInsensitive) == 0;
}

// Labels as counting the rows in order gives them.
QString LabelFault(CDaoDatabase& step)
{
    QSqlQuery rows = step.Query("SELECT RecipeSequenceNumber, Type, coalesce(Label, ''), ID FROM TextRecipe"
                                " ORDER BY RecipeSequenceNumber, RowKey");
    long expected = 1, unitProcedure = 0, operation = 0;
    for (; rows.next(); ++expected) {
        const long sequence = long(rows.value(0).toLongLong());
        const QString type = rows.value(1).toString();
        if (sequence != expected)
            return QStringLiteral("sequence number %1 where %2 belongs").arg(sequence).arg(expected);
        QString label;
        if (type.compare("Unit Procedure", Qt::CaseInsensitive) == 0)
            label = QStringLiteral("%1.").arg(++unitProcedure), operation = 0;
        else if (type.compare("Operation", Qt::CaseInsensitive) == 0)
            label = QStringLiteral("%1.%2.").arg(unitProcedure).arg(++operation);
        if (IsItemType(type) && rows.value(2).toString() != label)
            return QStringLiteral("line %1 labelled '%2' where '%3' belongs")
                .arg(sequence)
                .arg(rows.value(2).toString(), label);
        if (!IsItemType(type) && rows.value(3).toLongLong() != sequence)
            return QStringLiteral("keyword line %1 has id %2").arg(sequence).arg(rows.value(3).toLongLong());
    }
    return {};
}

const QRegularExpression& SeriesMessage()
{
    static const QRegularExpression message(
        "^Excess series keyword found (after|before) operation [0-9.]* Remove keyword to simulate\\.$");
    return message;
}

bool IsStructureMessage(const QString& text)
{
    const QStringList messages = {START_PARALLEL_NEEDS_SERIES,
                                  START_OR_NEEDS_SERIES,
                                  UNBALANCED_BLOCKS,
                                  PARALLEL_UNIT_PROCEDURES_END,
                                  PARALLEL_OPERATIONS_WITHIN,
                                  SERIES_MISSING,
                                  IEC_START_PARALLEL,
                                  IEC_START_OR,
                                  IEC_SERIES,
                                  IEC_END_PARALLEL,
                                  IEC_END_OR};
    return messages.contains(text) || SeriesMessage().match(text).hasMatch();
}

QString StructureFault(CDaoDatabase& step)
{
    Array<RecipeRow> rows;
    QSqlQuery query =
        step.Query("SELECT coalesce(Label, ''), UPNumber, OPNumber, Indent, ID, Type FROM TextRecipe"
                   " WHERE Hide = 0 ORDER BY RecipeSequenceNumber, RowKey");
    while (query.next())
        rows.Add({query.value(0).toString(), long(query.value(1).toLongLong()),
                  long(query.value(2).toLongLong()), short(query.value(3).toInt()),
                  long(query.value(4).toLongLong()), query.value(5).toString()});
    try {
        const StructureCheckResult result = CheckRecipeStructure(rows);
        if (!result.passed && !IsStructureMessage(result.message))
            return "structure check ends in '" + result.message + "'";
    } catch (const std::exception& error) {
        return QStringLiteral("structure check raised '%1'").arg(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return QStringLiteral("structure check raised");
    }
    return {};
}

QStringList Tables(CDaoDatabase& step)
{
    return Column(
        step,
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
}
} // namespace

QString RecipeRowFault(CDaoDatabase& step)
{
    const QString fault = FirstFault(
        step,
        {{"an item with two recipe lines",
          "SELECT Type, ID, count(*) FROM TextRecipe WHERE Type IN ('Unit Procedure', 'Operation')"
          " GROUP BY Type, ID HAVING count(*) > 1"},
         {"a unit-procedure line without its unit procedure",
          "SELECT RecipeSequenceNumber, ID FROM TextRecipe WHERE Type = 'Unit Procedure'"
          " AND ID NOT IN (SELECT UnitProcedureID FROM UnitProcedure)"},
         {"an operation line without its operation",
          "SELECT RecipeSequenceNumber, ID FROM TextRecipe WHERE Type = 'Operation'"
          " AND ID NOT IN (SELECT OperationID FROM Operation)"},
         {"a unit procedure and an operation share an id",
          "SELECT u.UnitProcedureID, u.UnitProcedureName, o.RecipeText FROM UnitProcedure u"
          " JOIN Operation o ON o.OperationID = u.UnitProcedureID"
          " WHERE NOT (u.UnitProcedureName = 'START' AND o.QuorvantaLabel = 'START')"},
         {"an operation line under another unit procedure than its row names",
          "SELECT t.RecipeSequenceNumber, t.ID FROM TextRecipe t JOIN Operation o ON o.OperationID = t.ID"
          " WHERE t.Type = 'Operation' AND o.UnitProcedureID <> (SELECT u.ID FROM TextRecipe u"
          " WHERE u.Type = 'Unit Procedure' AND u.RecipeSequenceNumber < t.RecipeSequenceNumber"
          " ORDER BY u.RecipeSequenceNumber DESC LIMIT 1)"}});
    return fault.isEmpty() ? LabelFault(step) : fault;
}

// One statement over every INTEGER and REAL column of every table, built once: the schema is the
// same in every step file.
QString ColumnTypeFault(CDaoDatabase& step)
{
    static QString sql;
    if (sql.isEmpty()) {
        QStringList selects;
        for (const QString& table : Tables(step)) {
            QSqlQuery columns = step.Query("SELECT name, upper(type) FROM pragma_table_info(?)", {table});
            while (columns.next()) {
                const QString type = columns.value(1).toString();
                if (type == "INTEGER" || type == "REAL")
                    selects << QStringLiteral("SELECT '%1.%2 (%3) holds ' || quote(\"%2\") FROM \"%1\""
                                              " WHERE typeof(\"%2\") IN ('text', 'blob')")
                                   .arg(table, columns.value(0).toString(), type);
            }
        }
        sql = "SELECT * FROM (" + selects.join(" UNION ALL ") + ") LIMIT 1";
    }
    return FirstRow(step, sql);
}

QString ReferenceFault(CDaoDatabase& step)
{
    return FirstFault(
        step, {{"a field without its group", "SELECT FieldID, GroupID FROM TblFieldData WHERE GroupID NOT IN "
                                             "(SELECT GroupID FROM TblGroupData)"},
               {"a range without its group", "SELECT RangeID, GroupID FROM TblRangeData WHERE GroupID NOT IN "
                                             "(SELECT GroupID FROM TblGroupData)"},
               {"a group without its operation", "SELECT GroupID, OperationID FROM TblGroupData WHERE "
                                                 "OperationID NOT IN (SELECT OperationID FROM Operation)"}});
}

QString DanglingConstraint(CDaoDatabase& step)
{
    return FirstFault(step,
                      {{"an operation constraint off the recipe",
                        "SELECT CurrentOperationID, ConditionalLogic, OperationParameterID FROM "
                        "OperationConditionalLogicParameter c"
                        " WHERE NOT EXISTS (SELECT 1 FROM TextRecipe WHERE Type = 'Operation' AND ID = "
                        "c.CurrentOperationID)"
                        " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE Type = 'Operation' AND ID = "
                        "c.OperationParameterID)"},
                       {"a unit-procedure constraint off the recipe",
                        "SELECT CurrentUnitProcedureID, ConditionalLogic, UnitProcedureParameterID"
                        " FROM UnitProcedureConditionalLogicParameter c"
                        " WHERE NOT EXISTS (SELECT 1 FROM TextRecipe WHERE Type = 'Unit Procedure' AND ID = "
                        "c.CurrentUnitProcedureID)"
                        " OR NOT EXISTS (SELECT 1 FROM TextRecipe WHERE Type = 'Unit Procedure'"
                        " AND ID = c.UnitProcedureParameterID)"}});
}

QString IntegrityFault(CDaoDatabase& step, long)
{
    const QStringList integrity = Column(step, "PRAGMA integrity_check");
    if (integrity != QStringList{"ok"})
        return "integrity check: " + integrity.join("; ");
    return StructureFault(step);
}

QString ExchangedContent(CDaoDatabase& step)
{
    // Keys and texts the import assigns or regenerates; the exchange tables are dropped by it.
    static const QStringList skipped = {"StepID", "RowKey", "RecipeText", "RangeText"};
    QStringList content;
    for (const QString& table : Tables(step)) {
        if (table.startsWith("Exchange") || table == "StepExchange")
            continue;
        QStringList kept;
        QSqlQuery columns = step.Query("SELECT name FROM pragma_table_info(?) ORDER BY cid", {table});
        while (columns.next()) {
            if (!skipped.contains(columns.value(0).toString()))
                kept << "quote(\"" + columns.value(0).toString() + "\")";
        }
        if (kept.isEmpty())
            continue;
        const QString row = kept.join(" || '|' || ");
        content << table + ": " +
                       Column(step, QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY 1").arg(row, table))
                           .join("; ");
    }
    return content.join('\n');
}
