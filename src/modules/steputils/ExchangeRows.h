#pragma once
// Moving rows between a library or project database and a step file by column name: each read is
// one statement, each write one statement over a JSON array of the rows.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

class CDaoDatabase;

using ExchangeRowList = QList<QVariantList>;

// Exchange rows kept in memory in place of a file's exchange tables, for an import that follows at
// once (a process copy): what a read of the tables would give, without writing them.
class HeldExchangeRows {
public:
    void Append(const QString& table, const QStringList& columns, const ExchangeRowList& rows);
    // The table's rows in these columns (NULL where a row has none), ordered as the exchange table
    // orders them: by its key when the rows carry one, else as appended. Given a column and a
    // value, only the rows that hold it there.
    ExchangeRowList Rows(const QString& table, const QStringList& columns, const QString& whereColumn = {},
                         const QVariant& equals = {}) const;
    bool Has(const QString& table) const { return m_tables.contains(table); }

private:
    struct Part {
        QStringList columns;
        ExchangeRowList rows;
    };
    QHash<QString, QList<Part>> m_tables;
};

// The rows a query gives, every column of each.
ExchangeRowList ReadExchangeRows(CDaoDatabase& database, const QString& sql, const QVariantList& values = {});
// The same for a read repeated on one connection (a library read for step after step): on a
// read-only connection the statement is kept prepared by it until it closes; the rows have that
// many columns. The table names what is read.
ExchangeRowList ReadKeptRows(CDaoDatabase& database, const QString& table, const QString& sql,
                             const QVariantList& values, int columns);
// The catalogued columns of the exchange table that the database's table also has.
QStringList SharedColumns(CDaoDatabase& database, const QString& table, const QString& exchangeTable);
// Inserts the rows into the table, their values in the order of the columns.
void InsertExchangeRows(CDaoDatabase& database, const QString& table, const QStringList& columns,
                        const ExchangeRowList& rows);
// The ids as a JSON array for json_each.
QString JsonIDs(const QSet<long>& ids);
QString QuotedColumns(const QStringList& columns, const QString& prefix = QString());
