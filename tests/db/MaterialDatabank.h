#pragma once
// A material databank file built from schema/databank.sql: material 1 of each of its three
// sources, with a molecular weight (property 1) each.

#include "foundation/db/schema/SchemaBuilder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

struct DatabankRow {
    const char* source;
    const char* propertyTable;
    const char* name;
    double molecularWeight;
};

inline constexpr DatabankRow DATABANK_ROWS[] = {
    {"Halvorix Pure Components", "PureCompsAMP", "Benzene", 78.11},
    {"Halvorix Inorganics", "InorganicsAMP", "Sodium Chloride", 58.44},
    {"Halvorix Solids", "SolidsAMP", "Silica", 60.08},
};

inline QStringList DatabankStatements()
{
    QFile schema(QStringLiteral(":/schema/databank.sql"));
    EXPECT_TRUE(schema.open(QIODevice::ReadOnly));
    QStringList statements = CSchemaBuilder::SplitStatements(QString::fromUtf8(schema.readAll()));
    for (const DatabankRow& row : DATABANK_ROWS) {
        statements << QStringLiteral(
                          "INSERT INTO DatabankMaterial (DataSource, MaterialID, MaterialName, CASCode)"
                          " VALUES ('%1', 1, '%2', 'bank')")
                          .arg(QLatin1String(row.source), QLatin1String(row.name));
        statements << QStringLiteral("INSERT INTO %1 (MaterialID, MaterialPropertyID, DoubleValue, ValueUOM)"
                                     " VALUES (1, 1, %2, 'g/gmol')")
                          .arg(QLatin1String(row.propertyTable))
                          .arg(row.molecularWeight);
    }
    return statements;
}

// Writes the databank to path (which must not exist) and answers path.
inline QString WriteMaterialDatabank(const QString& path)
{
    const QString name = QStringLiteral("databank_%1").arg(quintptr(&path));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        for (const QString& sql : DatabankStatements()) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return path;
}
