#pragma once
// A project file of ours with one construct of its schema changed, every object keeping its name and
// type: a review by names and types alone passes each of them.

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <gtest/gtest.h>

enum class SchemaChange {
    CostlyCheck,          // CostFactor's CHECK: instr() of a 2 MB text against a 1 MB one, about 26 s a row
    EndlessCheck,         // the same with 8 MB and 4 MB texts: minutes a row
    WithoutRowid,         // "Step-To-Process" made WITHOUT ROWID, its rows kept
    UnknownCollation,     // Project.ProjectName in a collation the engine does not have
    IndexOnMissingColumn, // an index of another name on Project, its column one that does not exist
    FewerColumns,         // "Step-To-Process" without StepOrder, its rows kept
    ExtraColumn,          // "Step-To-Process" with one more column, NOT NULL without a default
    // Changes that keep the file ours:
    OptionalExtraColumn, // "Step-To-Process" with one more column that a row need not give
    CheckLaidOut,        // CostFactor's CHECK written in other spacing and case, with a comment
};

namespace changed_schema_detail {
inline QString Costly(int haystack, int needle)
{
    return QStringLiteral(
               "instr(replace(hex(zeroblob(%1)), '0', 'a'), replace(hex(zeroblob(%2)), '0', 'a') || "
               "'b') = 0")
        .arg(haystack)
        .arg(needle);
}

class Editor {
public:
    explicit Editor(const QString& path) : m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NAME))
    {
        m_db.setDatabaseName(path);
        EXPECT_TRUE(m_db.open()) << m_db.lastError().text().toStdString();
    }
    ~Editor()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(NAME);
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    void run(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(m_db);
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        EXPECT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    }
    QString sqlOf(const QString& name)
    {
        QSqlQuery query(m_db);
        query.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = ?"));
        query.addBindValue(name);
        EXPECT_TRUE(query.exec() && query.next()) << name.toStdString();
        return query.value(0).toString();
    }
    // The stored statement replaced, as a file of another making may hold it.
    void setSql(const QString& name, const QString& sql)
    {
        run(QStringLiteral("PRAGMA writable_schema = ON"));
        run(QStringLiteral("UPDATE sqlite_master SET sql = ? WHERE name = ?"), {sql, name});
        run(QStringLiteral("PRAGMA writable_schema = OFF"));
    }
    // The table made again by the statement given, with the columns' rows.
    void recreate(const QString& table, const QString& create, const QString& columns)
    {
        run(QStringLiteral("PRAGMA legacy_alter_table = ON"));
        run(QStringLiteral("ALTER TABLE \"%1\" RENAME TO changed_old").arg(table));
        run(create);
        run(QStringLiteral("INSERT INTO \"%1\" (%2) SELECT %2 FROM changed_old").arg(table, columns));
        run(QStringLiteral("DROP TABLE changed_old"));
    }

private:
    static constexpr const char* NAME = "changed_schema";
    QSqlDatabase m_db;
};
} // namespace changed_schema_detail

inline void ChangeSchema(const QString& path, SchemaChange change)
{
    using namespace changed_schema_detail;
    Editor file(path);
    const QString steps = QStringLiteral("Step-To-Process");
    const QString stepsSql = file.sqlOf(steps);
    switch (change) {
    case SchemaChange::CostlyCheck:
    case SchemaChange::EndlessCheck: {
        const bool endless = change == SchemaChange::EndlessCheck;
        const QString costly = Costly(endless ? 4000000 : 1000000, endless ? 2000000 : 500000);
        file.setSql(QStringLiteral("CostFactor"),
                    file.sqlOf(QStringLiteral("CostFactor"))
                        .replace(QStringLiteral("CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost')"),
                                 QStringLiteral("CHECK (%1)").arg(costly)));
        break;
    }
    case SchemaChange::WithoutRowid:
        file.recreate(steps, stepsSql.trimmed() + QStringLiteral(" WITHOUT ROWID"),
                      QStringLiteral("StepID, ProcessID, StepOrder, RowKey"));
        break;
    case SchemaChange::UnknownCollation:
        file.setSql(QStringLiteral("Project"),
                    file.sqlOf(QStringLiteral("Project"))
                        .replace(QStringLiteral("ProjectName TEXT COLLATE NOCASE"),
                                 QStringLiteral("ProjectName TEXT COLLATE fz7_nosuch")));
        break;
    case SchemaChange::IndexOnMissingColumn:
        file.run(QStringLiteral("CREATE INDEX fz7_index ON Project (Description)"));
        file.setSql(QStringLiteral("fz7_index"),
                    QStringLiteral("CREATE INDEX fz7_index ON Project (NoSuchColumn)"));
        break;
    case SchemaChange::FewerColumns:
        file.recreate(
            steps,
            QStringLiteral("CREATE TABLE \"Step-To-Process\" (StepID INTEGER NOT NULL, ProcessID INTEGER "
                           "NOT NULL, RowKey INTEGER PRIMARY KEY, UNIQUE (ProcessID, StepID))"),
            QStringLiteral("StepID, ProcessID, RowKey"));
        break;
    case SchemaChange::ExtraColumn:
    case SchemaChange::OptionalExtraColumn: {
        const QString order = QStringLiteral("StepOrder INTEGER NOT NULL DEFAULT 0,");
        file.recreate(steps, QString(stepsSql).replace(order, order + QStringLiteral(" Fz7Extra INTEGER,")),
                      QStringLiteral("StepID, ProcessID, StepOrder, RowKey"));
        if (change == SchemaChange::ExtraColumn)
            file.setSql(steps, QString(stepsSql).replace(
                                   order, order + QStringLiteral(" Fz7Extra INTEGER NOT NULL,")));
        break;
    }
    case SchemaChange::CheckLaidOut:
        file.setSql(QStringLiteral("CostFactor"),
                    file.sqlOf(QStringLiteral("CostFactor"))
                        .replace(QStringLiteral("CHECK (CostFactorID <> 0 OR CostFactorType = 'Fixed Cost')"),
                                 QStringLiteral(
                                     "check(/* kept */ costfactorid<>0\n  or CostFactorType='Fixed Cost')")));
        break;
    }
}
