#pragma once
// Writes one recordset row back to its base tables: only the changed columns, grouped per table,
// each table's row found by its key columns; every value is a bound parameter. The statements are
// kept prepared by the connection, one per table, statement kind and set of columns.

#include "foundation/db/recordsets/RecordsetDef.h"
#include "foundation/db/connection/StatementCache.h"

#include <QHash>
#include <QVariant>
#include <vector>

class CDaoDatabase;

// What an insert writes to one table: its statement, the columns bound in order, and the unset
// columns that take the new row id or read back their default.
struct InsertTablePlan {
    StatementKey key;
    std::vector<int> columns, rowIds, defaults;
};
using InsertPlan = std::vector<InsertTablePlan>;

// A set's insert plans by the columns an insert sets, made from the columns the connection read
// and dropped when it reads them again (after a change of the schema or on another connection).
class CInsertPlans {
public:
    const InsertPlan* find(const std::vector<bool>& changed, quint64 schemaGeneration) const;
    const InsertPlan& add(const std::vector<bool>& changed, quint64 schemaGeneration, InsertPlan plan);

private:
    static constexpr size_t LIMIT = 16; // beyond it the plans start again
    quint64 m_generation = 0;
    std::vector<std::pair<std::vector<bool>, InsertPlan>> m_plans;
};

class CRecordsetWriter {
public:
    // writeOrder: every column of the definition, ordered by written name (WriteOrderOf).
    CRecordsetWriter(const DaoRecordsetDef& def, const QHash<QString, int>& columnIndex,
                     const std::vector<int>& writeOrder, CInsertPlans& plans, CDaoDatabase& db)
        : m_def(def), m_columnIndex(columnIndex), m_writeOrder(writeOrder), m_plans(plans), m_db(db)
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
    const InsertPlan& insertPlan(const std::vector<bool>& changed);
    InsertTablePlan planTable(int table, std::vector<int> columns) const;
    long insertTable(const InsertTablePlan& plan, QVariantList& row);
    template <typename Write> void inOneTransaction(int tables, Write write);

    const DaoRecordsetDef& m_def;
    const QHash<QString, int>& m_columnIndex;
    const std::vector<int>& m_writeOrder;
    CInsertPlans& m_plans;
    CDaoDatabase& m_db;
};

// "name" quoted as an SQL identifier.
QString QuoteIdentifier(const QString& name);
