#include "modules/steputils/StepRowCopier.h"

#include "foundation/db/DaoDatabase.h"

#include <QSqlError>
#include <QSqlQuery>

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

bool CStepRowCopier::CopyTable(const ExchangeTable& table)
{
    if (!m_sourceTables.contains(table.name.toLower()))
        return table.part == ExchangePart::Exchange || Fail(QStringLiteral("the table %1 is missing").arg(table.name));
    const QList<ExchangeColumn> columns = SourceColumns(table.name);
    QSqlQuery clear(m_target);
    if (!clear.exec(QStringLiteral("DELETE FROM \"%1\"").arg(table.name)))
        return Fail(clear.lastError().text());
    return columns.isEmpty() || CopyRows(table.name, columns);
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

bool CStepRowCopier::CopyRows(const QString& table, const QList<ExchangeColumn>& columns)
{
    const QString names = QuotedNames(columns);
    QSqlQuery rows = m_source.Query(QStringLiteral("SELECT %1 FROM main.\"%2\"").arg(names, table));
    QSqlQuery insert(m_target);
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    if (!insert.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table, names, marks)))
        return Fail(insert.lastError().text());
    while (rows.next()) {
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant value = rows.value(i);
            const QString problem = ValueProblem(columns.at(i), value);
            if (!problem.isEmpty())
                return Fail(problem);
            insert.bindValue(i, value);
        }
        if (!insert.exec())
            return Fail(QStringLiteral("%1: %2").arg(table, insert.lastError().databaseText()));
    }
    return true;
}

bool CStepRowCopier::Fail(const QString& reason)
{
    m_reason = reason;
    return false;
}
