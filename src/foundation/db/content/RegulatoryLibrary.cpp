#include "foundation/db/content/RegulatoryLibrary.h"

#include "foundation/db/files/DatabaseFiles.h"
#include "foundation/db/schema/SchemaBuilder.h"

#include <QFile>

namespace {

QString RegulatoryScript()
{
    QFile file(QStringLiteral(":/schema/regulatory.sql"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

bool BuildRegulatoryLibrary(const QString& path, QString* errorText)
{
    QString error;
    if (QFile::exists(path) && !DeleteDatabaseFile(path, &error)) {
        *errorText = error;
        return false;
    }
    error = CSchemaBuilder::RunScriptOnNewFile(path, RegulatoryScript());
    if (!error.isEmpty()) {
        DeleteDatabaseFile(path);
        *errorText = QStringLiteral("Cannot build %1: %2").arg(path, error);
        return false;
    }
    SyncFile(path);
    SyncFolderOf(path);
    return true;
}
