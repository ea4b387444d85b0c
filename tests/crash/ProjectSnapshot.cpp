#include "ProjectSnapshot.h"

#include "foundation/db/DaoDatabase.h"
#include "foundation/db/DatabaseFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

std::optional<ProjectDatabaseKind> ProjectDatabaseKindOf(const QString& fileName)
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
        if (!ProjectDatabaseKindOf(name))
            continue;
        const DatabaseDump dump = DumpDatabase(projectDir + name);
        EXPECT_EQ(dump.integrity, "ok") << name.toStdString();
        snapshot.insert(name, dump.content);
    }
    return snapshot;
}

ProjectSnapshot ExpectedAfterRevision(const QString& projectDir, const QString& scratchDir, int revision)
{
    ProjectSnapshot expected;
    QDir().mkpath(scratchDir);
    for (const QString& name : QDir(projectDir).entryList(QDir::Files, QDir::Name)) {
        const std::optional<ProjectDatabaseKind> kind = ProjectDatabaseKindOf(name);
        if (!kind)
            continue;
        const QString copy = scratchDir + name;
        EXPECT_TRUE(CopyDatabaseFile(projectDir + name, copy)) << name.toStdString();
        {
            CDaoDatabase database;
            database.Open(copy, DatabaseRole::ReadWrite);
            ApplyRevision(database, *kind, revision);
        }
        expected.insert(name, DumpDatabase(copy).content);
        DeleteDatabaseFile(copy);
    }
    return expected;
}
