#pragma once
// Rows read from a library and written into the project's working copy under the project's ids.
// Column names come from the library file: they go into statements only quoted, and only those
// the project table has. Writes raise CDaoException; the caller holds the transaction.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class CDaoDatabase;

struct CopiedRows {
    QStringList columns;
    QList<QVariantList> rows;

    // The column's place, its name matched as SQL matches names (in any case); -1 when absent.
    int Column(const QString& name) const;
    // Drops the named columns from the list and from every row.
    void Drop(const QStringList& names);
    // Sets the column in every row, adding it when the rows lack it.
    void Set(const QString& name, const QVariant& value);
    // Drops every column the project table does not have.
    void KeepColumnsOf(CDaoDatabase& project, const QString& table);
};

// Every column of the rows the statement selects.
CopiedRows ReadLibraryRows(CDaoDatabase& library, const QString& sql, const QVariantList& values);
// Whether the project table has a row under the id.
bool RowExists(CDaoDatabase& project, const QString& table, const QString& idColumn, long id);
// Updates the row under the id with the values of the first row, or inserts it under the id.
void WriteItemRow(CDaoDatabase& project, const QString& table, const QString& idColumn, long id,
                  const CopiedRows& row);
