#pragma once
// Writes the rows of a per-item option table by their keys with one statement. The rows go in
// the page's order; the first key the table lacks is the end of the table: the rows before it are
// written, the rest are not, after the message.

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

class CDaoDatabase;

extern const char* const END_OF_TABLE_MESSAGE; // "It is end of the table! Can't continue to update table."

// Each row holds the key, then the values of the columns in order. Raises CDaoException.
void UpdateRowsByKey(CDaoDatabase& database, const QString& table, const QString& key,
                     const QStringList& columns, QList<QVariantList> rows, const QSet<long>& storedKeys);
