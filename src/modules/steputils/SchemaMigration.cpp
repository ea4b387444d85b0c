#include "modules/steputils/SchemaMigration.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <array>

int MigrationNumber(const QString& fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)-.+\\.sql$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QList<SchemaMigration> LoadMigrations(DatabaseKind kind, const QString& root)
{
    const QDir folder(root + QLatin1Char('/') + DatabaseKindName(kind));
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
    static const std::array<QList<SchemaMigration>, std::size(ALL_DATABASE_KINDS)> builtIn = [] {
        std::array<QList<SchemaMigration>, std::size(ALL_DATABASE_KINDS)> read;
        for (DatabaseKind each : ALL_DATABASE_KINDS)
            read[size_t(each)] = LoadMigrations(each);
        return read;
    }();
    return builtIn[size_t(kind)];
}
