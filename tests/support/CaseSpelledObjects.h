#pragma once
// A database of ours whose table becomes an endless view, or gains an endless trigger, with the
// object's type then spelled in capitals in the schema table ("VIEW", "TRIGGER"): the engine loads
// it as a view or trigger all the same, while a check of type = 'view' passes it by.

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

enum class CaseSpelled { View, Trigger };

// The object's name: the table's for a view, "fz6_<table>" for a trigger (AFTER event ON table).
inline QString SpellObjectInCapitals(const QString& path, const QString& table, CaseSpelled kind,
                                     const QString& event = QStringLiteral("UPDATE"))
{
    const QString quoted = '"' + QString(table).replace('"', "\"\"") + '"';
    QString name = table;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("case_spelled"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        const auto run = [&query](const QString& sql) {
            EXPECT_TRUE(query.exec(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
        };
        const QString endless =
            QStringLiteral("(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                           "SELECT %1 FROM c)");
        if (kind == CaseSpelled::View) {
            QStringList columns;
            run("PRAGMA table_info(" + quoted + ")");
            while (query.next())
                columns << QStringLiteral("x AS \"%1\"").arg(query.value(1).toString());
            const QString real = '"' + QString(table + "_real").replace('"', "\"\"") + '"';
            run("CREATE TABLE " + real + " AS SELECT * FROM " + quoted);
            run("DROP TABLE " + quoted);
            run("CREATE VIEW " + quoted + " AS SELECT * FROM " + real + " UNION ALL SELECT * FROM " +
                endless.arg(columns.join(", ")));
        } else {
            name = "fz6_" + QString(table).remove(QRegularExpression("[^A-Za-z0-9]"));
            run(QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 BEGIN SELECT count(*) FROM %4; END")
                    .arg(name, event, quoted, endless.arg("x")));
        }
        run("PRAGMA writable_schema = ON");
        query.prepare("UPDATE sqlite_master SET type = ? WHERE name = ?");
        query.addBindValue(kind == CaseSpelled::View ? "VIEW" : "TRIGGER");
        query.addBindValue(name);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        run("PRAGMA writable_schema = OFF");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("case_spelled"));
    return name;
}
