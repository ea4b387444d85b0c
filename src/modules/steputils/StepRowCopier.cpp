#include "modules/steputils/StepRowCopier.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sqlite3.h>

#include <cmath>

namespace {

// Step files of a few schema versions at a time at most (one project's share one).
constexpr qsizetype KNOWN_SCHEMAS = 8;

QString QuotedNames(const QList<ExchangeColumn>& columns)
{
    QStringList names;
    for (const ExchangeColumn& column : columns)
        names.append(QLatin1Char('"') + column.column + QLatin1Char('"'));
    return names.join(QStringLiteral(", "));
}

bool IsWholeNumber(const QVariant& value)
{
    const int type = value.typeId();
    return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::ULongLong;
}

QString KeyProblem(const ExchangeColumn& column, qlonglong id)
{
    if (column.role == ColumnRole::RowKey && id <= 0)
        return QStringLiteral("%1 %2 is not a valid id").arg(column.column).arg(id);
    if (column.role == ColumnRole::ItemKey && (id == 0 || id == -1))
        return QStringLiteral("%1 %2 is not a valid id").arg(column.column).arg(id);
    if (id < INT32_MIN || id > INT32_MAX)
        return QStringLiteral("%1 %2 is out of range").arg(column.column).arg(id);
    return {};
}

// One letter per checked column for SuspectRow: what its values must be.
char ScreenCode(const ExchangeColumn& column)
{
    switch (column.kind) {
    case ValueKind::Integer:
        return column.role == ColumnRole::RowKey ? 'k' : column.role == ColumnRole::ItemKey ? 'K' : 'i';
    case ValueKind::Real:
        return 'r';
    case ValueKind::Text255:
        return 't';
    case ValueKind::Memo:
        return 'm';
    }
    return 'm';
}

QString ScreenCodes(const QList<ExchangeColumn>& columns)
{
    QString codes;
    for (const ExchangeColumn& column : columns)
        codes.append(QLatin1Char(ScreenCode(column)));
    return codes;
}

// True for every value ValueProblem refuses (and, for long texts, some it accepts: a text is
// screened by its encoded bytes, never fewer than its characters).
bool SuspectValue(char code, sqlite3_value* value)
{
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL)
        return false;
    switch (code) {
    case 'i':
    case 'k':
    case 'K': {
        if (type != SQLITE_INTEGER)
            return true;
        const sqlite3_int64 id = sqlite3_value_int64(value);
        return id < INT32_MIN || id > INT32_MAX || (code == 'k' && id <= 0) || (code == 'K' && (id == 0 || id == -1));
    }
    case 'r':
        return type != SQLITE_INTEGER && (type != SQLITE_FLOAT || !std::isfinite(sqlite3_value_double(value)));
    case 't':
        return type != SQLITE_TEXT || sqlite3_value_bytes(value) > 255;
    default:
        return type != SQLITE_TEXT;
    }
}

// suspect_row(codes, value...): whether any value breaks its column's code. One call in place of
// a condition per column keeps the check cheap to prepare.
void SuspectRow(sqlite3_context* context, int count, sqlite3_value** values)
{
    const char* codes = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const int checked = codes ? int(qstrlen(codes)) : 0;
    bool suspect = checked != count - 1;
    for (int i = 1; !suspect && i < count; ++i)
        suspect = SuspectValue(codes[i - 1], values[i]);
    sqlite3_result_int(context, suspect ? 1 : 0);
}

// Only the copier's own statements may call it: never the schema of the file it reads.
bool RegisterSuspectRow(QSqlDatabase database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* engine = *static_cast<sqlite3* const*>(handle.constData());
    return engine && sqlite3_create_function_v2(engine, "suspect_row", -1,
                                                SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY, nullptr,
                                                SuspectRow, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

CStepRowCopier::CStepRowCopier(QSqlDatabase target, long stepID) : m_target(target), m_stepID(stepID) {}

QString CStepRowCopier::ValueProblem(const ExchangeColumn& column, const QVariant& value)
{
    if (value.isNull())
        return {};
    const QString where = column.table + QLatin1Char('.') + column.column;
    switch (column.kind) {
    case ValueKind::Integer:
        return IsWholeNumber(value) ? KeyProblem(column, value.toLongLong())
                                    : QStringLiteral("%1 holds a value that is not a whole number").arg(where);
    case ValueKind::Real:
        if (IsWholeNumber(value) || (value.typeId() == QMetaType::Double && std::isfinite(value.toDouble())))
            return {};
        return QStringLiteral("%1 holds a value that is not a number").arg(where);
    case ValueKind::Text255:
    case ValueKind::Memo:
        if (value.typeId() != QMetaType::QString)
            return QStringLiteral("%1 holds a value that is not text").arg(where);
        if (column.kind == ValueKind::Text255 && value.toString().size() > 255)
            return QStringLiteral("%1 holds a text longer than 255 characters").arg(where);
        return {};
    }
    return {};
}

// Attached through a read-only URI, with nothing of the file's schema allowed to call a function.
bool CStepRowCopier::AttachSource(const QString& sourcePath)
{
    if (!RegisterSuspectRow(m_target))
        return Fail(QStringLiteral("the check of its values cannot be set up"));
    const QString uri = QUrl::fromLocalFile(sourcePath).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
    return Run(QStringLiteral("COMMIT")) && Run(QStringLiteral("PRAGMA trusted_schema = OFF")) &&
           Run(QStringLiteral("ATTACH DATABASE ? AS ") + EXCHANGE_SOURCE_SCHEMA, {uri}) && Run(QStringLiteral("BEGIN")) &&
           SourcePassesQuickCheck() && ReadSourceColumns();
}

bool CStepRowCopier::SourcePassesQuickCheck()
{
    QSqlQuery check(m_target);
    check.setForwardOnly(true);
    const bool passes = check.exec(QStringLiteral("PRAGMA %1.quick_check").arg(EXCHANGE_SOURCE_SCHEMA)) &&
                        check.next() && check.value(0).toString() == QLatin1String("ok") && !check.next();
    return passes || Fail(QStringLiteral("it is damaged"));
}

// The file's table definitions as one text, each name and statement prefixed by its length so
// that no two schemas give the same text; empty when it cannot be read.
QString CStepRowCopier::SourceSchemaText()
{
    QSqlQuery schema(m_target);
    schema.setForwardOnly(true);
    if (!schema.exec(QStringLiteral("SELECT group_concat(length(name) || ':' || name || length(coalesce(sql, '')) || ':' "
                                    "|| coalesce(sql, ''), '') FROM (SELECT name, sql FROM %1.sqlite_master "
                                    "WHERE lower(type) = 'table' ORDER BY name)")
                         .arg(EXCHANGE_SOURCE_SCHEMA)) ||
        !schema.next())
        return QString();
    return schema.value(0).toString();
}

// Every column of every table of the file, lower-case, in one statement. The columns follow from
// the table definitions alone, and the step files of one project share theirs, so they are kept
// by that text for the files read after.
bool CStepRowCopier::ReadSourceColumns()
{
    static QHash<QString, QHash<QString, QSet<QString>>> knownSchemas;
    const QString schemaText = SourceSchemaText();
    if (const auto known = knownSchemas.constFind(schemaText); !schemaText.isEmpty() && known != knownSchemas.cend()) {
        m_sourceColumns = *known;
        return true;
    }
    QSqlQuery columns(m_target);
    columns.setForwardOnly(true);
    if (!columns.exec(QStringLiteral("SELECT lower(m.name), lower(p.name) FROM %1.sqlite_master AS m "
                                     "JOIN pragma_table_info(m.name, '%1') AS p WHERE lower(m.type) = 'table' "
                                     "AND m.rootpage <> 0")
                          .arg(EXCHANGE_SOURCE_SCHEMA)))
        return Fail(QStringLiteral("it is damaged"));
    while (columns.next())
        m_sourceColumns[columns.value(0).toString()].insert(columns.value(1).toString());
    if (schemaText.isEmpty())
        return true;
    if (knownSchemas.size() >= KNOWN_SCHEMAS)
        knownSchemas.clear();
    knownSchemas.insert(schemaText, m_sourceColumns);
    return true;
}

bool CStepRowCopier::DetachSource()
{
    return Run(QStringLiteral("COMMIT")) && Run(QStringLiteral("DETACH DATABASE ") + EXCHANGE_SOURCE_SCHEMA) &&
           Run(QStringLiteral("BEGIN"));
}

bool CStepRowCopier::Run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(m_target);
    query.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    return query.exec() || Fail(query.lastError().databaseText());
}

bool CStepRowCopier::CopyTable(const ExchangeTable& table)
{
    if (!m_sourceColumns.contains(table.name.toLower()))
        return table.part == ExchangePart::Exchange || Fail(QStringLiteral("the table %1 is missing").arg(table.name));
    if (!Run(QStringLiteral("DELETE FROM main.\"%1\"").arg(table.name)))
        return false;
    qlonglong rows = 0;
    if (!SourceRowCount(table.name, rows))
        return false;
    if (rows == 0)
        return true;
    const QList<ExchangeColumn> columns = SourceColumns(table.name);
    if (columns.isEmpty())
        return true;
    bool copied = false;
    return CopyScreenedRows(table.name, columns, rows, copied) && (copied || CopyRows(table.name, columns));
}

// A table without rows needs neither the check nor the copy, whose statements cost far more to
// prepare than this one; for one with rows, the count tells whether the screen passed them all.
bool CStepRowCopier::SourceRowCount(const QString& table, qlonglong& rows)
{
    QSqlQuery query(m_target);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1.\"%2\"").arg(EXCHANGE_SOURCE_SCHEMA, table)) ||
        !query.next())
        return Fail(QStringLiteral("%1: %2").arg(table, query.lastError().databaseText()));
    rows = query.value(0).toLongLong();
    return true;
}

// The catalogued columns the file's table has, compared without regard to case.
QList<ExchangeColumn> CStepRowCopier::SourceColumns(const QString& table) const
{
    const QSet<QString> present = m_sourceColumns.value(table.toLower());
    QList<ExchangeColumn> columns;
    for (const ExchangeColumn& column : ColumnsOfTable(table))
        if (present.contains(column.column.toLower()))
            columns.append(column);
    return columns;
}

// The rows the screen passes, copied in one pass of the attached file; copied when that was every
// row. Otherwise (a row the screen finds suspect, or a failed copy) what was copied is taken away
// again, so that the rows go over once each value was checked closely (CopyRows), failing as that
// fails. False with Reason() set only when the rows cannot be taken away.
bool CStepRowCopier::CopyScreenedRows(const QString& table, const QList<ExchangeColumn>& columns, qlonglong rows,
                                      bool& copied)
{
    const QString names = QuotedNames(columns);
    QSqlQuery insert(m_target);
    insert.prepare(QStringLiteral("INSERT INTO main.\"%1\" (%2) SELECT %3 FROM %4.\"%1\" WHERE NOT suspect_row(?, %2)")
                       .arg(table, names, CopiedValues(columns), EXCHANGE_SOURCE_SCHEMA));
    insert.addBindValue(ScreenCodes(columns));
    copied = insert.exec() && insert.numRowsAffected() == rows;
    insert.finish();
    return copied || Run(QStringLiteral("DELETE FROM main.\"%1\"").arg(table));
}

// The file's rows are checked in one pass of the attached file and copied in one statement.
bool CStepRowCopier::CopyRows(const QString& table, const QList<ExchangeColumn>& columns)
{
    if (!CheckRows(table, columns))
        return false;
    QSqlQuery insert(m_target);
    if (!insert.exec(QStringLiteral("INSERT INTO main.\"%1\" (%2) SELECT %3 FROM %4.\"%1\"")
                         .arg(table, QuotedNames(columns), CopiedValues(columns), EXCHANGE_SOURCE_SCHEMA)))
        return Fail(QStringLiteral("%1: %2").arg(table, insert.lastError().databaseText()));
    return true;
}

// Only rows the screen (SuspectRow) finds suspect are read; the first value ValueProblem refuses,
// in row and column order, gives the reason.
bool CStepRowCopier::CheckRows(const QString& table, const QList<ExchangeColumn>& columns)
{
    const QString names = QuotedNames(columns);
    QSqlQuery rows(m_target);
    rows.setForwardOnly(true);
    rows.prepare(QStringLiteral("SELECT %1 FROM %2.\"%3\" WHERE suspect_row(?, %1)").arg(names, EXCHANGE_SOURCE_SCHEMA, table));
    rows.addBindValue(ScreenCodes(columns));
    if (!rows.exec())
        return Fail(QStringLiteral("%1: %2").arg(table, rows.lastError().databaseText()));
    while (rows.next())
        for (int i = 0; i < columns.size(); ++i)
            if (const QString problem = ValueProblem(columns.at(i), rows.value(i)); !problem.isEmpty())
                return Fail(problem);
    return true;
}

// The columns as the copy selects them: a column naming the step takes the given step id (the
// [Step] row's own key is left to the caller, who first knows that there is one row).
QString CStepRowCopier::CopiedValues(const QList<ExchangeColumn>& columns) const
{
    QStringList values;
    for (const ExchangeColumn& column : columns)
        values.append(m_stepID != 0 && column.role == ColumnRole::StepRef && column.table != QLatin1String("Step")
                          ? QString::number(m_stepID)
                          : QLatin1Char('"') + column.column + QLatin1Char('"'));
    return values.join(QStringLiteral(", "));
}

bool CStepRowCopier::Fail(const QString& reason)
{
    m_reason = reason;
    return false;
}
