#pragma once
// The declaration a recordset class makes of itself: its SELECT (named parameters such as
// :ParentStepID), the base tables it writes with the columns that key each, and its typed fields.
//
//   static const DaoRecordsetDef def{
//       "SELECT ... WHERE s.ProcessID = :pProcessID ORDER BY s.StepOrder",
//       {{"Step-To-Process", {"ProcessID", "StepID"}}, {"Process", {"ProcessID"}}},
//       {{"StepID", DaoFieldType::Long}, {"StepOrder", DaoFieldType::Long},
//        {"ProcessName", DaoFieldType::Text, 1}, {"StepName", DaoFieldType::Text, DAO_NOT_WRITTEN}}};

#include <QString>
#include <QStringList>
#include <vector>

enum class DaoFieldType { Long, Short, Double, Bool, Text, Date };

constexpr int DAO_NOT_WRITTEN = -1;

struct DaoColumn {
    DaoColumn(const QString& name, DaoFieldType type, int table = 0, const QString& baseColumn = QString())
        : name(name), type(type), table(table), baseColumn(baseColumn)
    {
    }

    QString name; // the column of the SELECT
    DaoFieldType type;
    int table;          // index into the base tables; DAO_NOT_WRITTEN for a read-only column
    QString baseColumn; // its name in the base table when that differs

    const QString& writtenName() const { return baseColumn.isEmpty() ? name : baseColumn; }
};

struct DaoBaseTable {
    QString name;
    QStringList keys; // SELECT columns that identify one row of this table
};

struct DaoRecordsetDef {
    QString sql;
    std::vector<DaoBaseTable> tables; // empty: the set is read-only; Delete removes rows of the first
    std::vector<DaoColumn> columns;
};
