#pragma once
// A list of ids as one JSON array text bound to a single parameter, for
// "IN (SELECT value FROM json_each(?))" (defined with the bulk row writes, BulkRows.cpp).

#include <QList>
#include <QString>

// [id, id, ...]
QString JsonIds(const QList<long>& ids);
