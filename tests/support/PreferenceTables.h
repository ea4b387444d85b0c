#pragma once
// The preference tables of a project database emptied of their seed rows, so a test states every
// row it reads.

#include "foundation/db/connection/DaoDatabase.h"

inline void EmptyPreferenceTables(CDaoDatabase& db)
{
    for (const char* table : {"\"PREFER-Models\"", "\"PREFER-PhysicalPropertyModels\"", "\"PREFER-Chem\"",
                              "\"PREFER-ResultRounding\"", "ModelLibrary"})
        db.Execute(QStringLiteral("DELETE FROM %1").arg(QString::fromLatin1(table)));
}
