#pragma once
// Writes one recordset row back to its base tables: only the changed columns, grouped per table,
// each table's row found by its key columns; every value is a bound parameter. The statements are
// kept prepared by the connection, one per table, statement kind and set of columns.

#include "foundation/db/RecordsetDef.h"
#include "foundation/db/StatementCache.h"

#include <QHash>
#include <QVariantList>
#include <vector>

class CDaoDatabase;

class CRecordsetWriter {
public:
    // writeOrder: every column of the definition, ordered by written name (WriteOrderOf).
    CRecordsetWriter(const DaoRecordsetDef& def, const QHash<QString, int>& columnIndex,
                     const std::vector<int>& writeOrder, CDaoDatabase& db)
        : m_def(def), m_columnIndex(columnIndex), m_writeOrder(writeOrder), m_db(db)
    {
    }
    // The columns of the definition ordered by written name, as statements list them.
    static std::vector<int> WriteOrderOf(const DaoRecordsetDef& def);

    // Keys come from the row as it was read, so a key column may itself be edited.
    void update(const QVariantList& original, const QVariantList& edited, const std::vector<bool>& changed);
    // Inserts into every table with a set column (the first table when none is set), in declared
    // order; the columns left unset then hold what the engine stored. Returns the first insert's
    // row id.
    long insert(QVariantList& row, const std::vector<bool>& changed);
    void remove(const QVariantList& original);

private:
    using TableWork = std::vector<std::pair<int, std::vector<int>>>;

    // The changed columns of each table that has any, each list sorted by written name.
    TableWork changedPerTable(const std::vector<bool>& changed) const;
    QStringList writtenNames(const std::vector<int>& columns) const;
    std::vector<int> keyColumns(int table) const;
    // The table's columns of the set that are not among the set ones.
    std::vector<int> unsetColumns(int table, const std::vector<int>& set) const;
    void updateTable(int table, const std::vector<int>& columns, const QVariantList& original,
                     const QVariantList& edited);
    long insertTable(int table, const std::vector<int>& columns, QVariantList& row);
    template <typename Write> void inOneTransaction(int tables, Write write);

    const DaoRecordsetDef& m_def;
    const QHash<QString, int>& m_columnIndex;
    const std::vector<int>& m_writeOrder;
    CDaoDatabase& m_db;
};

// "name" quoted as an SQL identifier.
QString QuoteIdentifier(const QString& name);
