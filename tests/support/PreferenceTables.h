#pragma once
// The preference tables of the project database, made where an older schema lacks them.

#include "foundation/db/DaoDatabase.h"

inline void EnsurePreferenceTables(CDaoDatabase& db)
{
    const char* const tables[] = {
        "CREATE TABLE IF NOT EXISTS \"PREFER-Models\" (OperationTypeID INTEGER, SelectedModelTypeID INTEGER, "
        "RowKey INTEGER PRIMARY KEY)",
        "CREATE TABLE IF NOT EXISTS \"PREFER-PhysicalPropertyModels\" (PhysicalProperty TEXT COLLATE NOCASE, "
        "ModelName TEXT, RowKey INTEGER PRIMARY KEY)",
        "CREATE TABLE IF NOT EXISTS \"PREFER-Chem\" (Name TEXT COLLATE NOCASE, Value REAL, RowKey INTEGER PRIMARY KEY)",
        "CREATE TABLE IF NOT EXISTS \"PREFER-ResultRounding\" (UpperLimit REAL, Type TEXT, Precision INTEGER, "
        "RowKey INTEGER PRIMARY KEY)",
        "CREATE TABLE IF NOT EXISTS ModelLibrary (OperationTypeID INTEGER, ModelTypeID INTEGER, ModelName TEXT, "
        "ModelKind INTEGER NOT NULL DEFAULT 0, RowKey INTEGER PRIMARY KEY)",
    };
    for (const char* sql : tables)
        db.Execute(QString::fromLatin1(sql));
}
