#include "ProjectSnapshot.h"
#include "FakeAppContext.h"
#include "foundation/db/content/ProjectGenerator.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include "foundation/db/connection/DaoDatabase.h"
#include "foundation/db/connection/DaoException.h"
#include "foundation/db/files/DatabaseFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <optional>

namespace {
QString Render(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::QByteArray)
        return QStringLiteral("x'%1'").arg(QString::fromLatin1(value.toByteArray().toHex()));
    return QStringLiteral("%1:%2").arg(QString::fromLatin1(value.typeName()), value.toString());
}

QStringList RowsOf(CDaoDatabase& database, const QString& table)
{
    QStringList rows;
    QSqlQuery query = database.Query(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    while (query.next()) {
        QStringList values;
        for (int column = 0; column < query.record().count(); ++column)
            values << Render(query.value(column));
        rows << table + ": " + values.join(QLatin1Char('|'));
    }
    rows.sort();
    return rows;
}

QStringList ContentOf(CDaoDatabase& database)
{
    QSqlQuery version = database.Query(QStringLiteral("PRAGMA user_version"));
    QStringList content{
        QStringLiteral("user_version %1").arg(version.next() ? version.value(0).toInt() : -1)};
    QStringList tables;
    QSqlQuery schema = database.Query(QStringLiteral(
        "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (schema.next()) {
        content << QStringLiteral("%1 %2: %3")
                       .arg(schema.value(0).toString(), schema.value(1).toString(),
                            schema.value(2).toString());
        if (schema.value(0).toString() == QLatin1String("table"))
            tables << schema.value(1).toString();
    }
    for (const QString& table : tables)
        content << RowsOf(database, table);
    return content;
}

std::optional<ProjectDatabaseKind> KindOf(const QString& fileName)
{
    static const QRegularExpression step(QStringLiteral("^STEP_\\d+\\.STP$"));
    if (step.match(fileName).hasMatch())
        return ProjectDatabaseKind::Step;
    if (fileName.endsWith(QLatin1String(".prj")))
        return ProjectDatabaseKind::Project;
    if (fileName.endsWith(QLatin1String(".eqm")))
        return ProjectDatabaseKind::Equipment;
    if (fileName.endsWith(QLatin1String(".mtl")))
        return ProjectDatabaseKind::Material;
    return std::nullopt;
}
} // namespace

DatabaseDump DumpDatabase(const QString& path)
{
    try {
        CDaoDatabase database;
        database.Open(path, DatabaseRole::ReadOnly);
        QSqlQuery check = database.Query(QStringLiteral("PRAGMA integrity_check"));
        const QString integrity = check.next() ? check.value(0).toString() : QStringLiteral("no answer");
        return {integrity, ContentOf(database)};
    } catch (const CDaoException& e) {
        return {e.GetErrorDescription(), {}};
    }
}

QStringList DifferingFiles(const ProjectSnapshot& left, const ProjectSnapshot& right)
{
    QStringList names = left.keys() + right.keys();
    names.removeDuplicates();
    names.sort();
    names.removeIf([&](const QString& name) {
        return left.contains(name) && right.contains(name) && left.value(name) == right.value(name);
    });
    return names;
}

ProjectSnapshot TakeSnapshot(const QString& projectDir)
{
    ProjectSnapshot snapshot;
    for (const QString& name : QDir(projectDir).entryList(QDir::Files, QDir::Name)) {
        if (!KindOf(name))
            continue;
        const DatabaseDump dump = DumpDatabase(projectDir + name);
        EXPECT_EQ(dump.integrity, "ok") << name.toStdString();
        snapshot.insert(name, dump.content);
    }
    return snapshot;
}

ProjectSnapshot ExpectedAfterRevision(const QString& projectDir, const QString& scratchDir, int revision)
{
    return ExpectedAfterRevisions(projectDir, scratchDir, {revision});
}

ProjectSnapshot ExpectedAfterRevisions(const QString& projectDir, const QString& scratchDir,
                                       const QList<int>& revisions)
{
    ProjectSnapshot expected;
    QDir().mkpath(scratchDir);
    for (const QString& name : QDir(projectDir).entryList(QDir::Files, QDir::Name)) {
        const std::optional<ProjectDatabaseKind> kind = KindOf(name);
        if (!kind)
            continue;
        const long stepID = *kind == ProjectDatabaseKind::Step ? name.mid(5).section('.', 0, 0).toLong() : -1;
        QList<int> changing = revisions;
        changing.removeIf([&](int revision) { return !RevisionChanges(revision, *kind, stepID); });
        if (changing.isEmpty()) {
            expected.insert(name, DumpDatabase(projectDir + name).content);
            continue;
        }
        const QString copy = scratchDir + name;
        EXPECT_TRUE(CopyDatabaseFile(projectDir + name, copy)) << name.toStdString();
        {
            CDaoDatabase database;
            database.Open(copy, DatabaseRole::ReadWrite);
            for (int revision : changing)
                ApplyRevision(database, *kind, revision);
        }
        expected.insert(name, DumpDatabase(copy).content);
        DeleteDatabaseFile(copy);
    }
    return expected;
}

void WriteDemoProject(FakeAppContext& app, const QString& projectDir)
{
    CProjectGenerator generator;
    ASSERT_TRUE(generator.Write(CProjectGenerator::DemoProject(), projectDir))
        << generator.ErrorText().toStdString();
    const QString language = app.fakePaths().languageDir() + "QVEnglish.lng";
    ASSERT_TRUE(CSchemaBuilder::Build(DatabaseKind::Language, language));
    app.fileSet().defaultLanguageTemplatePath = language;
}
