#pragma once
// Writes one recordset row back to its base tables: only the changed columns, grouped per table,
// each table's row found by its key columns; every value is a bound parameter.

#include "foundation/db/RecordsetDef.h"

#include <QHash>
#include <QVariantList>
#include <vector>

class CDaoDatabase;

class CRecordsetWriter {
public:
    CRecordsetWriter(const DaoRecordsetDef& def, const QHash<QString, int>& columnIndex, CDaoDatabase& db)
        : m_def(def), m_columnIndex(columnIndex), m_db(db)
    {
    }

    // Keys come from the row as it was read, so a key column may itself be edited.
    void update(const QVariantList& original, const QVariantList& edited, const std::vector<bool>& changed);
    // Inserts into every table with a set column (the first table when none is set), in declared
    // order; the row then holds what the engine stored. Returns the first insert's row id.
    long insert(QVariantList& row, const std::vector<bool>& changed);
    void remove(const QVariantList& original);

private:
    std::vector<int> columnsOf(int table, const std::vector<bool>& changed) const;
    int keyColumn(const QString& key) const;
    QString whereKey(int table, QVariantList& values, const QVariantList& row) const;
    void updateTable(int table, const std::vector<int>& columns, const QVariantList& original,
                     const QVariantList& edited);
    long insertTable(int table, const std::vector<int>& columns, QVariantList& row);
    template <typename Write> void inOneTransaction(int tables, Write write);

    const DaoRecordsetDef& m_def;
    const QHash<QString, int>& m_columnIndex;
    CDaoDatabase& m_db;
};

// "name" quoted as an SQL identifier.
QString QuoteIdentifier(const QString& name);
