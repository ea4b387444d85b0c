#pragma once
// The step exchange file (".exs"): a step database of the program's step schema, marked by its own
// application_id, with the exchange tables beside the step tables: StepExchange (format version,
// where the step came from, its names) and the library items the step names (facilities,
// equipment with classes and properties, materials with properties and mixtures, unit-set names,
// and from format 2 the range and comment types its ranges and comments name). user_version is the
// version of its step tables, as in a step file.

#include "foundation/db/schema/SchemaBuilder.h"

#include <QStringList>

inline constexpr quint32 EXCHANGE_APPLICATION_ID = FourCharacterID("QVSX");
inline constexpr int EXCHANGE_FORMAT_VERSION = 2;
// The first format that carries the step's range and comment types; an older file's type ids are
// kept as they are.
inline constexpr int EXCHANGE_TYPES_FORMAT_VERSION = 2;

// CREATE TABLE statements of the exchange tables, from the column catalogue.
QStringList ExchangeTableStatements();
// The SQL type a catalogued column is created with.
QString ExchangeColumnType(const struct ExchangeColumn& column);
