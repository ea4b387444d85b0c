#pragma once
// Set-based writes of many rows: the rows travel as one JSON array of arrays bound to a single
// parameter and are unpacked in SQL with json_each, so a table is rewritten by two statements
// however many rows it gets. The statements are kept prepared by the connection.

#include "foundation/db/connection/StatementCache.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class CDaoDatabase;

// [[v, v, ...], ...]: each value written as JsonValueText.h says; a null variant is JSON null, so
// SQL reads it as NULL.
QString JsonRows(const QList<QVariantList>& rows);

// Runs the statement, kept prepared on the database's connection, with the values bound in order;
// the rows it returns go to read, which must not run this same statement again. Raises
// CDaoException on an error.
void ExecKept(CDaoDatabase& database, const QString& table, const QString& sql, const QVariantList& values,
              const CStatementCache::RowReader& read = {});

// Deletes the rows of the table whose scope column holds the scope value (every row when the
// column is empty) and inserts the rows, each holding the values of the columns in order. The new
// rows keep the order of the list. Raises CDaoException on an error; the caller holds the
// transaction.
void ReplaceTableRows(CDaoDatabase& database, const QString& table, const QStringList& columns,
                      const QString& scopeColumn, const QVariant& scopeValue,
                      const QList<QVariantList>& rows);
