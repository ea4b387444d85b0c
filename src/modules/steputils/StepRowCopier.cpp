#include "modules/steputils/StepRowCopier.h"

#include "foundation/db/DaoDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <cmath>

namespace {

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

// An SQL condition true for every value ValueProblem accepts (and, for long texts, some it refuses).
QString AcceptedInSql(const ExchangeColumn& column)
{
    const QString value = QLatin1Char('"') + column.column + QLatin1Char('"');
    QString accepted;
    switch (column.kind) {
    case ValueKind::Integer:
        accepted = QStringLiteral("typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647").arg(value);
        if (column.role == ColumnRole::RowKey)
            accepted += QStringLiteral(" AND %1 > 0").arg(value);
        if (column.role == ColumnRole::ItemKey)
            accepted += QStringLiteral(" AND %1 NOT IN (0, -1)").arg(value);
        break;
    case ValueKind::Real:
        accepted = QStringLiteral("typeof(%1) = 'integer' OR (typeof(%1) = 'real' AND %1 > -9e999 AND %1 < 9e999)")
                       .arg(value);
        break;
    case ValueKind::Text255:
        accepted = QStringLiteral("typeof(%1) = 'text' AND length(CAST(%1 AS BLOB)) <= 255").arg(value);
        break;
    case ValueKind::Memo:
        accepted = QStringLiteral("typeof(%1) = 'text'").arg(value);
        break;
    }
    return QStringLiteral("%1 IS NULL OR (%2)").arg(value, accepted);
}

} // namespace

CStepRowCopier::CStepRowCopier(CDaoDatabase& source, QSqlDatabase target) : m_source(source), m_target(target)
{
    QSqlQuery tables = m_source.Query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (tables.next())
        m_sourceTables.insert(tables.value(0).toString().toLower());
}

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
    const QString uri = QUrl::fromLocalFile(sourcePath).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro");
    return Run(QStringLiteral("COMMIT")) && Run(QStringLiteral("PRAGMA trusted_schema = OFF")) &&
           Run(QStringLiteral("ATTACH DATABASE ? AS ") + EXCHANGE_SOURCE_SCHEMA, {uri}) && Run(QStringLiteral("BEGIN"));
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
    if (!m_sourceTables.contains(table.name.toLower()))
        return table.part == ExchangePart::Exchange || Fail(QStringLiteral("the table %1 is missing").arg(table.name));
    if (!Run(QStringLiteral("DELETE FROM main.\"%1\"").arg(table.name)))
        return false;
    bool hasRows = false;
    if (!SourceHasRows(table.name, hasRows))
        return false;
    if (!hasRows)
        return true;
    const QList<ExchangeColumn> columns = SourceColumns(table.name);
    return columns.isEmpty() || CopyRows(table.name, columns);
}

// A table without rows needs neither the check nor the copy, whose statements cost far more to
// prepare than this one.
bool CStepRowCopier::SourceHasRows(const QString& table, bool& hasRows)
{
    QSqlQuery query(m_target);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1.\"%2\")").arg(EXCHANGE_SOURCE_SCHEMA, table)) ||
        !query.next())
        return Fail(QStringLiteral("%1: %2").arg(table, query.lastError().databaseText()));
    hasRows = query.value(0).toBool();
    return true;
}

// The catalogued columns the file's table has, compared without regard to case.
QList<ExchangeColumn> CStepRowCopier::SourceColumns(const QString& table)
{
    QSet<QString> present;
    QSqlQuery info = m_source.Query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (info.next())
        present.insert(info.value(0).toString().toLower());
    QList<ExchangeColumn> columns;
    for (const ExchangeColumn& column : ColumnsOfTable(table))
        if (present.contains(column.column.toLower()))
            columns.append(column);
    return columns;
}

// The file's rows are checked in one pass of the attached file and copied in one statement.
bool CStepRowCopier::CopyRows(const QString& table, const QList<ExchangeColumn>& columns)
{
    if (!CheckRows(table, columns))
        return false;
    const QString names = QuotedNames(columns);
    QSqlQuery insert(m_target);
    if (!insert.exec(QStringLiteral("INSERT INTO main.\"%1\" (%2) SELECT %2 FROM %3.\"%1\"")
                         .arg(table, names, EXCHANGE_SOURCE_SCHEMA)))
        return Fail(QStringLiteral("%1: %2").arg(table, insert.lastError().databaseText()));
    return true;
}

// Only rows where SQL sees a possible problem are read; the first value ValueProblem refuses, in
// row and column order, gives the reason. Text lengths are screened by their encoded bytes (never
// fewer than the characters) and measured exactly on the rows that come back.
bool CStepRowCopier::CheckRows(const QString& table, const QList<ExchangeColumn>& columns)
{
    QStringList suspect;
    for (const ExchangeColumn& column : columns)
        suspect.append(QStringLiteral("NOT (%1)").arg(AcceptedInSql(column)));
    QSqlQuery rows(m_target);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT %1 FROM %2.\"%3\" WHERE %4")
                       .arg(QuotedNames(columns), EXCHANGE_SOURCE_SCHEMA, table,
                            suspect.join(QStringLiteral(" OR ")))))
        return Fail(QStringLiteral("%1: %2").arg(table, rows.lastError().databaseText()));
    while (rows.next())
        for (int i = 0; i < columns.size(); ++i)
            if (const QString problem = ValueProblem(columns.at(i), rows.value(i)); !problem.isEmpty())
                return Fail(problem);
    return true;
}

bool CStepRowCopier::Fail(const QString& reason)
{
    m_reason = reason;
    return false;
}
