#include "modules/steputils/SchemaMigration.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <array>

QString MigrationKindName(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Project:
        return QStringLiteral("project");
    case DatabaseKind::Step:
        return QStringLiteral("step");
    case DatabaseKind::Equipment:
        return QStringLiteral("equipment");
    case DatabaseKind::Material:
        return QStringLiteral("material");
    case DatabaseKind::Language:
        return QStringLiteral("language");
    }
    return QString();
}

int MigrationNumber(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)-.+\\.sql$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QList<SchemaMigration> LoadMigrations(DatabaseKind kind, const QString& root)
{
    const QDir folder(root + QLatin1Char('/') + MigrationKindName(kind));
    QList<SchemaMigration> migrations;
    for (const QString& fileName : folder.entryList({QStringLiteral("*.sql")}, QDir::Files)) {
        QFile file(folder.filePath(fileName));
        const int number = MigrationNumber(fileName);
        if (number > 0 && file.open(QIODevice::ReadOnly))
            migrations.append({number, fileName, QString::fromUtf8(file.readAll())});
    }
    std::sort(migrations.begin(), migrations.end(),
              [](const SchemaMigration& a, const SchemaMigration& b) { return a.number < b.number; });
    return migrations;
}

QList<SchemaMigration> BuiltInMigrations(DatabaseKind kind)
{
    static const std::array<QList<SchemaMigration>, 5> builtIn = [] {
        std::array<QList<SchemaMigration>, 5> read;
        for (DatabaseKind each : {DatabaseKind::Project, DatabaseKind::Step, DatabaseKind::Equipment,
                                  DatabaseKind::Material, DatabaseKind::Language})
            read[size_t(each)] = LoadMigrations(each);
        return read;
    }();
    return builtIn[size_t(kind)];
}
