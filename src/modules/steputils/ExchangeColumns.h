#pragma once
// The one catalogue of the columns a step file may bring into a project: every column of the step
// tables and of the exchange tables that carry the library items and types a step names, with what its
// value is (so a reader can check it) and what an id in it refers to (so an import can re-point
// it). A column a file holds that is not listed here is never read.

#include <QList>
#include <QString>
#include <QStringList>

// What a value must be: NULL or of that kind.
enum class ValueKind {
    Integer,
    Real,    // an integer or a finite real
    Text255, // text of at most 255 characters
    Memo,    // text of any length
};

// What an integer column holds.
enum class ColumnRole {
    Plain,
    RowKey,      // the table's own key inside the step file: above 0
    ItemKey,     // the key of a library item: any id but 0 and -1
    StepRef,     // the step's own id
    FacilityRef, // PlantID of the equipment database
    EquipmentRef,
    ClassRef,
    MaterialRef,
    UnitSetRef,     // UOMSetID of the project database
    RangeTypeRef,   // RangeTypeID of the project's range types
    CommentTypeRef, // CommentTypeID of the project's comment types
};

struct ExchangeColumn {
    QString table;
    QString column;
    ValueKind kind;
    ColumnRole role;
};

// Which part of a file a table belongs to.
enum class ExchangePart { Step, Exchange };

struct ExchangeTable {
    QString name;
    ExchangePart part;
    QString libraryTable; // exchange tables: the library table whose rows it carries ("" for none)
};

const QList<ExchangeColumn>& ExchangeCatalogue();
const QList<ExchangeTable>& ExchangeTables();
ExchangePart PartOfTable(const QString& table);
QList<ExchangeColumn> ColumnsOfTable(const QString& table);
QStringList ColumnNamesOfTable(const QString& table);
// The columns of every table that hold ids of that role.
QList<ExchangeColumn> ColumnsWithRole(ColumnRole role);
